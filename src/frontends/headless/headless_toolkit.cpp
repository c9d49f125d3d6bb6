#include "frontends/headless/headless_toolkit.h"

#include "ui/controls/control.h"
#include "ui/controls/window.h"

namespace cw::headless {

using platform::MessageButtons;
using platform::MessageResult;

void HeadlessToolkit::write(std::string line) {
  if (onLine) onLine(line);
  transcript.push_back(std::move(line));
}

MessageResult HeadlessToolkit::messageBox(std::string_view text, MessageButtons buttons) {
  messages.emplace_back(text);
  std::string line = "MSGBOX " + ui::quoteForTranscript(text);
  if (buttons == MessageButtons::kOk) {
    if (!answers_.empty() && answers_.front() == MessageResult::kOk) answers_.pop_front();
    write(line);
    return MessageResult::kOk;
  }
  if (answers_.empty() || answers_.front() == MessageResult::kOk) {
    write(line + " -> ?");
    throw ScriptError{"a Yes/No question has no queued answer: " + std::string(text)};
  }
  MessageResult answer = answers_.front();
  answers_.pop_front();
  write(line + (answer == MessageResult::kYes ? " -> Yes" : " -> No"));
  return answer;
}

std::string HeadlessToolkit::inputBox(std::string_view prompt) {
  if (inputs_.empty()) {
    throw ScriptError{"an input box has no queued answer: " + std::string(prompt)};
  }
  std::optional<std::string> answer = std::move(inputs_.front());
  inputs_.pop_front();
  write("INPUT " + ui::quoteForTranscript(prompt) + " -> " +
        (answer ? ui::quoteForTranscript(*answer) : std::string("cancel")));
  return answer.value_or("");
}

void HeadlessToolkit::setMousePointer(platform::MousePointer newPointer) {
  pointer = newPointer;
  write(newPointer == platform::MousePointer::kHourglass ? "POINTER wait" : "POINTER default");
}

void HeadlessToolkit::showModal(ui::Window& window) {
  window.show();
  if (!modalDriver) throw ScriptError{"nothing drives the modal window " + window.name()};
  modalDriver(window);
  if (window.isVisible())
    throw ScriptError{"the modal window " + window.name() + " is still shown"};
}

void HeadlessToolkit::openLink(std::string_view target) {
  links.emplace_back(target);
  write("OPEN " + ui::quoteForTranscript(target));
}

}  // namespace cw::headless
