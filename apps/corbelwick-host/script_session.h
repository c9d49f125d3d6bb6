#pragma once

#include <windows.h>

#include <deque>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "frontends/headless/session_player.h"
#include "frontends/headless/session_target.h"
#include "host_library.h"  // the host's interfaces as the stand-in declares them

namespace cw::standin {
class Application;
}

// Plays a session script through the real windows the module shows: the user's actions become
// window messages to its controls, message and input boxes are answered from the script's
// queues as they come up, and the transcript is the one corbelwick-session writes. The lines
// are played one at a time from a timer, so that they go on inside a modal window's loop as a
// person's actions would.
class ScriptSession : private cw::headless::SessionTarget {
 public:
  // `makeCommand` makes a command instance as the host does (nullptr when it cannot).
  ScriptSession(cw::standin::Application& host, ::IApplication* application,
                std::function<::ICommand*()> makeCommand, std::ostream& out);
  ~ScriptSession() override;
  ScriptSession(const ScriptSession&) = delete;
  ScriptSession& operator=(const ScriptSession&) = delete;

  // Takes the script (throws ScriptError on a bad line) and starts playing it once the thread
  // reads its messages; the main window is closed when the script has ended.
  void start(const std::string& script, HWND mainWindow);
  // The commands made by the script, released.
  void releaseCommands();

  // What the module told the main window, written where corbelwick-session writes it: the
  // pointer it sets, and a link, which is not opened.
  void pointerChanged(bool waiting);
  void linkOpened(const std::wstring& link);

 private:
  void create(const cw::headless::ScriptLine& line) override;
  void click(const cw::headless::ScriptLine& line) override;
  void queueAnswer(cw::platform::MessageResult answer) override;
  void queueInput(std::optional<std::string> answer) override;
  std::size_t unusedAnswers() const override;
  void press(const cw::headless::ScriptLine& line) override;
  void select(const cw::headless::ScriptLine& line) override;
  void doubleClick(const cw::headless::ScriptLine& line) override;
  void check(const cw::headless::ScriptLine& line) override;
  void type(const cw::headless::ScriptLine& line) override;
  void changeDirectory(const cw::headless::ScriptLine& line) override;
  void close(const cw::headless::ScriptLine& line) override;
  std::string show(const cw::headless::ScriptLine& line) override;

  HWND form(const std::string& name, const cw::headless::ScriptLine& line) const;
  // Word 1, "W.CONTROL": the control's window.
  HWND control(const cw::headless::ScriptLine& line) const;
  int entryIndex(HWND list, const std::string& which, const cw::headless::ScriptLine& line) const;

  static void CALLBACK onTimer(HWND, UINT, UINT_PTR, DWORD);
  static LRESULT CALLBACK onWindowEvent(int code, WPARAM wParam, LPARAM lParam);
  void tick();
  void answerMessageBox(HWND box);
  void answerInputBox(HWND box);
  void end();
  // A script mistake or a failure: told on stderr, and the process ends with `status`.
  [[noreturn]] void fail(int status, const std::string& message);

  cw::standin::Application& host_;
  ::IApplication* application_;
  std::function<::ICommand*()> makeCommand_;
  std::ostream& out_;
  cw::headless::SessionPlayer player_;
  std::vector<::ICommand*> commands_;
  std::deque<cw::platform::MessageResult> answers_;
  std::deque<std::optional<std::string>> inputs_;
  HWND mainWindow_ = nullptr;
  HWND boxShown_ = nullptr;  // a message box answered, until it has gone
  HWND inputShown_ = nullptr;
  UINT_PTR timer_ = 0;
  HHOOK hook_ = nullptr;
  int depth_ = 0;  // lines being performed, one inside the other's modal window
  bool ended_ = false;
};
