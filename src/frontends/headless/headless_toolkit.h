#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "frontends/headless/session_script.h"
#include "platform/window_host.h"

namespace cw::headless {

// The toolkit without a screen: answers come from queues, and every box, prompt, pointer change
// and opened link is written to the transcript, one line each:
//   MSGBOX "text"            MSGBOX "text" -> Yes       INPUT "prompt" -> "answer"
//   INPUT "prompt" -> cancel POINTER wait               POINTER default        OPEN "link"
class HeadlessToolkit : public platform::WindowHost, public platform::Shell {
 public:
  // The answer to the next message box. An OK box takes a queued OK and leaves a queued Yes or
  // No for the next question; a Yes/No box needs a queued Yes or No.
  void queueAnswer(platform::MessageResult answer) { answers_.push_back(answer); }
  // The answer to the next input box; nullopt presses Cancel.
  void queueInput(std::optional<std::string> answer) { inputs_.push_back(std::move(answer)); }
  std::size_t unusedAnswers() const { return answers_.size() + inputs_.size(); }

  platform::MessageResult messageBox(std::string_view text,
                                     platform::MessageButtons buttons) override;
  std::string inputBox(std::string_view prompt) override;
  void setMousePointer(platform::MousePointer pointer) override;
  platform::ScreenMetrics screen() override { return metrics; }
  void showModal(ui::Window& window) override;
  void openLink(std::string_view target) override;

  // What the user saw, in order.
  std::vector<std::string> transcript;
  // The texts of all message boxes, in order.
  std::vector<std::string> messages;
  std::vector<std::string> links;
  platform::MousePointer pointer = platform::MousePointer::kDefault;
  platform::ScreenMetrics metrics;
  // Drives a modal window until it is hidden (the session runner plays script lines; tests
  // press buttons). Without one, showing a modal window is a script error.
  std::function<void(ui::Window&)> modalDriver;
  // Receives each transcript line as it is written.
  std::function<void(const std::string&)> onLine;

 private:
  void write(std::string line);
  std::deque<platform::MessageResult> answers_;
  std::deque<std::optional<std::string>> inputs_;
};

}  // namespace cw::headless
