#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "frontends/headless/headless_toolkit.h"

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
}

namespace cw::headless {

// Plays a script of user and host actions against the real system with the headless toolkit,
// writing a transcript. The format is described in docs/session-scripts.md.
class SessionRunner {
 public:
  SessionRunner(platform::FileSystem& fs, standin::Application& host, std::ostream& out);
  ~SessionRunner();

  // Plays the whole script; throws ScriptError on a script mistake.
  void play(const std::string& script);

  Module& module() { return *module_; }
  HeadlessToolkit& toolkit() { return toolkit_; }

 private:
  struct Line {
    int number;
    std::vector<std::string> words;
  };
  static std::vector<Line> parse(const std::string& script);
  void runUntil(const std::function<bool()>& done);
  void perform(const Line& line);
  ui::Window& window(const std::string& name, const Line& line);
  void printState();

  platform::FileSystem& fs_;
  standin::Application& host_;
  std::ostream& out_;
  HeadlessToolkit toolkit_;
  std::unique_ptr<Module> module_;
  std::vector<std::unique_ptr<CorbelwickBookmarks>> commands_;
  std::vector<Line> lines_;
  std::size_t next_ = 0;
};

// Splits a script line into words: blanks separate, double quotes group (\" inside), "#" at the
// start of a word begins a comment.
std::vector<std::string> splitScriptLine(const std::string& line);
// A number in its shortest exact form (-122, 37.25).
std::string shortestNumber(double value);

}  // namespace cw::headless
