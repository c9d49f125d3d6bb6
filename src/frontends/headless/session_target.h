#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "frontends/headless/session_script.h"
#include "platform/window_host.h"

namespace cw::headless {

// What a session script's user actions act on: the system's windows, as the headless toolkit
// holds them or as a real toolkit shows them. The player has checked each line's number of
// words; the target checks the rest (the window, the control, the kind of control) and throws
// ScriptError (scriptErrorAt the line) on a mistake.
class SessionTarget {
 public:
  virtual ~SessionTarget() = default;

  virtual void create(const ScriptLine& line) = 0;
  virtual void click(const ScriptLine& line) = 0;
  virtual void queueAnswer(platform::MessageResult answer) = 0;
  // nullopt: Cancel.
  virtual void queueInput(std::optional<std::string> answer) = 0;
  virtual std::size_t unusedAnswers() const = 0;

  // Word 1 is "WINDOW.CONTROL"; select, dblclick, check, type and chdir take word 2 too.
  virtual void press(const ScriptLine& line) = 0;
  virtual void select(const ScriptLine& line) = 0;
  virtual void doubleClick(const ScriptLine& line) = 0;
  virtual void check(const ScriptLine& line) = 0;
  virtual void type(const ScriptLine& line) = 0;
  virtual void changeDirectory(const ScriptLine& line) = 0;
  // Word 1 is a window.
  virtual void close(const ScriptLine& line) = 0;
  // The window's list boxes, text boxes and check boxes, one transcript line each.
  virtual std::string show(const ScriptLine& line) = 0;
};

}  // namespace cw::headless
