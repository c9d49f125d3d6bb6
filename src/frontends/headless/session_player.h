#pragma once

#include <cstddef>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "frontends/headless/session_script.h"

namespace cw::standin {
class Application;
}

namespace cw::headless {

class SessionTarget;

// Plays a session script: echoes each action, hands the user's actions to the target and
// carries out the host's (view, focus, extent, layer, state) on the stand-in document.
class SessionPlayer {
 public:
  SessionPlayer(SessionTarget& target, standin::Application& host, std::ostream& out);

  // Takes the script's lines; throws ScriptError on a bad line.
  void load(const std::string& script);
  // Performs the next lines until `done` holds or the script ends.
  void runUntil(const std::function<bool()>& done);
  // Performs the next line; false when the script has ended.
  bool step();
  bool ended() const { return next_ >= lines_.size(); }
  // Throws ScriptError when answers are left unused.
  void finish();

  // Plays the whole script: load, run to the end, finish.
  void play(const std::string& script);

 private:
  void perform(const ScriptLine& line);
  void printState();

  SessionTarget& target_;
  standin::Application& host_;
  std::ostream& out_;
  std::vector<ScriptLine> lines_;
  std::size_t next_ = 0;
};

}  // namespace cw::headless
