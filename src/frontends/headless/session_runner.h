#pragma once

#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "frontends/headless/headless_toolkit.h"
#include "frontends/headless/session_player.h"
#include "frontends/headless/session_script.h"
#include "frontends/headless/session_target.h"

namespace cw {
class Module;
class CorbelwickBookmarks;
}  // namespace cw
namespace cw::standin {
class Application;
}
namespace cw::platform {
class FileSystem;
}
namespace cw::ui {
class Window;
class Control;
}  // namespace cw::ui

namespace cw::headless {

// Plays a script of user and host actions against the real system with the headless toolkit,
// writing a transcript. The format is described in docs/session-scripts.md.
class SessionRunner : private SessionTarget {
 public:
  SessionRunner(platform::FileSystem& fs, standin::Application& host, std::ostream& out);
  ~SessionRunner() override;

  // Plays the whole script; throws ScriptError on a script mistake.
  void play(const std::string& script);

  Module& module() { return *module_; }
  HeadlessToolkit& toolkit() { return toolkit_; }

 private:
  void create(const ScriptLine& line) override;
  void click(const ScriptLine& line) override;
  void queueAnswer(platform::MessageResult answer) override;
  void queueInput(std::optional<std::string> answer) override;
  std::size_t unusedAnswers() const override;
  void press(const ScriptLine& line) override;
  void select(const ScriptLine& line) override;
  void doubleClick(const ScriptLine& line) override;
  void check(const ScriptLine& line) override;
  void type(const ScriptLine& line) override;
  void changeDirectory(const ScriptLine& line) override;
  void close(const ScriptLine& line) override;
  std::string show(const ScriptLine& line) override;

  ui::Window& window(const std::string& name, const ScriptLine& line);
  // Word 1, "W.CONTROL", split into the window and its control.
  std::pair<ui::Window*, ui::Control*> target(const ScriptLine& line);
  void selectIn(ui::Control& control, const std::string& which, const ScriptLine& line);

  platform::FileSystem& fs_;
  standin::Application& host_;
  std::ostream& out_;
  HeadlessToolkit toolkit_;
  std::unique_ptr<Module> module_;
  std::vector<std::unique_ptr<CorbelwickBookmarks>> commands_;
  SessionPlayer player_;
};

}  // namespace cw::headless
