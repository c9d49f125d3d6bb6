#include "script_session.h"

#include <cstdio>
#include <iostream>
#include <utility>

#include "base/failure.h"
#include "frontends/win32/window_classes.h"
#include "frontends/win32/window_driver.h"
#include "hosts/standin/standin.h"
#include "platform/win32/wide_text.h"
#include "ui/controls/control.h"
#include "ui/help/frm_help.h"
#include "ui/lists/frm_load_list.h"
#include "ui/lists/frm_save_list.h"
#include "ui/main/frm_main.h"

namespace {

using cw::headless::ScriptError;
using cw::headless::scriptErrorAt;
using cw::headless::ScriptLine;
using cw::platform::MessageResult;
using cw::platform::win32::fromWide;
using cw::ui::quoteForTranscript;
namespace driver = cw::win32;

ScriptSession* playing = nullptr;

// The host's status when one of the command's calls failed.
constexpr int kCommandFailed = 4;

std::string hresultText(HRESULT result) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(result));
  return text;
}

std::wstring classOf(HWND window) {
  wchar_t name[64] = {};
  ::GetClassNameW(window, name, 64);
  return name;
}

// The windows a script names, with the controls each one shows.
const cw::ui::WindowSpec* specNamed(const std::string& name) {
  for (const cw::ui::WindowSpec* spec : {&cw::ui::frmMainSpec(), &cw::ui::frmLoadListSpec(),
                                         &cw::ui::frmSaveListSpec(), &cw::ui::frmHelpSpec()}) {
    if (spec->name == name) return spec;
  }
  return nullptr;
}

bool modalShown(HWND window) {
  return ::IsWindowVisible(window) && classOf(window) == cw::win32::kModalClass;
}

BOOL CALLBACK countModal(HWND window, LPARAM count) {
  DWORD process = 0;
  ::GetWindowThreadProcessId(window, &process);
  if (process == ::GetCurrentProcessId() && modalShown(window)) ++*reinterpret_cast<int*>(count);
  return TRUE;
}

int modalWindowsShown() {
  int count = 0;
  ::EnumWindows(countModal, reinterpret_cast<LPARAM>(&count));
  return count;
}

std::string listLine(const std::string& name, const std::vector<std::string>& entries,
                     int selected) {
  std::string out = "LIST " + name + " [";
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (i) out += ", ";
    out += quoteForTranscript(entries[i]);
  }
  out += "] selected ";
  const bool none = selected < 0 || selected >= static_cast<int>(entries.size());
  out += none ? std::string("-") : quoteForTranscript(entries[static_cast<std::size_t>(selected)]);
  return out + "\n";
}

// "C:\Lists\Old" as "C:" and its directories.
std::vector<std::string> pathParts(const std::string& path) {
  std::vector<std::string> parts;
  std::string part;
  for (char c : path) {
    if (c == '\\' || c == '/') {
      if (!part.empty()) parts.push_back(part);
      part.clear();
    } else {
      part += c;
    }
  }
  if (!part.empty()) parts.push_back(part);
  return parts;
}

// The path a directory list shows above its directories, as its model holds it now.
std::string directoryPath(HWND panel) {
  driver::listEntries(panel);  // brings the window's lists and the path up to its model
  HWND label = ::FindWindowExW(panel, nullptr, L"STATIC", nullptr);
  return label ? driver::controlText(label) : std::string();
}

bool sameName(const std::string& a, const std::string& b) {
  return ::CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, a.c_str(), -1, b.c_str(), -1) ==
         CSTR_EQUAL;
}

}  // namespace

ScriptSession::ScriptSession(cw::standin::Application& host, ::IApplication* application,
                             std::function<::ICommand*()> makeCommand, std::ostream& out)
    : host_(host),
      application_(application),
      makeCommand_(std::move(makeCommand)),
      out_(out),
      player_(*this, host, out) {
  playing = this;
}

ScriptSession::~ScriptSession() {
  if (timer_) ::KillTimer(nullptr, timer_);
  if (hook_) ::UnhookWindowsHookEx(hook_);
  releaseCommands();
  playing = nullptr;
}

void ScriptSession::start(const std::string& script, HWND mainWindow) {
  player_.load(script);
  mainWindow_ = mainWindow;
  hook_ =
      ::SetWindowsHookExW(WH_CBT, &ScriptSession::onWindowEvent, nullptr, ::GetCurrentThreadId());
  timer_ = ::SetTimer(nullptr, 0, 1, &ScriptSession::onTimer);
}

void ScriptSession::releaseCommands() {
  for (::ICommand* command : commands_) command->Release();
  commands_.clear();
}

void ScriptSession::pointerChanged(bool waiting) {
  out_ << (waiting ? "POINTER wait\n" : "POINTER default\n");
}

void ScriptSession::linkOpened(const std::wstring& link) {
  out_ << "OPEN " << quoteForTranscript(fromWide(link)) << "\n";
}

void CALLBACK ScriptSession::onTimer(HWND, UINT, UINT_PTR, DWORD) {
  if (playing) playing->tick();
}

LRESULT CALLBACK ScriptSession::onWindowEvent(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_ACTIVATE && playing && !playing->ended_) {
    HWND window = reinterpret_cast<HWND>(wParam);
    const std::wstring kind = classOf(window);
    if (kind == L"#32770" && window != playing->boxShown_) {
      playing->answerMessageBox(window);
    } else if (kind == cw::win32::kInputBoxClass && window != playing->inputShown_) {
      // Answered from the timer, once its own loop runs.
      playing->inputShown_ = window;
    }
  }
  return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

void ScriptSession::answerMessageBox(HWND box) {
  boxShown_ = box;
  wchar_t text[4096] = {};
  ::GetDlgItemTextW(box, 0xFFFF, text, 4096);
  std::string line = "MSGBOX " + quoteForTranscript(fromWide(text));
  if (!::GetDlgItem(box, IDYES)) {
    if (!answers_.empty() && answers_.front() == MessageResult::kOk) answers_.pop_front();
    out_ << line << "\n";
    ::PostMessageW(box, WM_COMMAND, IDOK, 0);
    return;
  }
  if (answers_.empty() || answers_.front() == MessageResult::kOk) {
    out_ << line << " -> ?\n";
    fail(2, "a Yes/No question has no queued answer: " + fromWide(text));
  }
  const MessageResult answer = answers_.front();
  answers_.pop_front();
  out_ << line << (answer == MessageResult::kYes ? " -> Yes" : " -> No") << "\n";
  ::PostMessageW(box, WM_COMMAND, answer == MessageResult::kYes ? IDYES : IDNO, 0);
}

void ScriptSession::answerInputBox(HWND box) {
  HWND prompt = driver::findControl(box, "prompt");
  const std::string asked = prompt ? driver::controlText(prompt) : std::string();
  if (inputs_.empty()) fail(2, "an input box has no queued answer: " + asked);
  std::optional<std::string> answer = std::move(inputs_.front());
  inputs_.pop_front();
  out_ << "INPUT " << quoteForTranscript(asked) << " -> "
       << (answer ? quoteForTranscript(*answer) : std::string("cancel")) << "\n";
  driver::answerInputBox(box, answer.value_or(""), answer.has_value());
}

void ScriptSession::tick() {
  if (ended_) return;
  if (boxShown_) {
    if (::IsWindow(boxShown_)) return;  // its answer is on its way
    boxShown_ = nullptr;
  }
  if (inputShown_) {
    if (::IsWindow(inputShown_) && ::IsWindowVisible(inputShown_)) {
      HWND box = inputShown_;
      inputShown_ = reinterpret_cast<HWND>(-1);  // answered; not again
      answerInputBox(box);
      inputShown_ = box;
      return;
    }
    if (::IsWindow(inputShown_)) return;
    inputShown_ = nullptr;
  }
  // A line runs inside another only in the modal window that line showed.
  if (depth_ > 0 && modalWindowsShown() < depth_) return;
  if (player_.ended()) {
    end();
    return;
  }
  ++depth_;
  try {
    player_.step();
  } catch (const ScriptError& error) {
    fail(2, error.message);
  } catch (const cw::Failure& failure) {
    fail(1, failure.description());
  }
  --depth_;
}

void ScriptSession::end() {
  if (depth_ > 0) {
    for (const char* name : {"frmLoadList", "frmSaveList", "frmHelp", "frmMain"}) {
      HWND shown = driver::findShownWindow(name);
      if (shown && modalShown(driver::topLevelOf(shown))) {
        fail(2, std::string("the script ended while ") + name + " is shown");
      }
    }
    fail(2, "the script ended while a modal window is shown");
  }
  try {
    player_.finish();
  } catch (const ScriptError& error) {
    fail(2, error.message);
  }
  ended_ = true;
  ::KillTimer(nullptr, timer_);
  timer_ = 0;
  ::PostMessageW(mainWindow_, WM_CLOSE, 0, 0);
}

void ScriptSession::fail(int status, const std::string& message) {
  out_.flush();
  std::cerr << "corbelwick-host: " << message << "\n";
  std::cerr.flush();
  // Inside the module's windows and loops there is no way back to main that leaves them
  // as they are; the files the session wrote are closed by the system.
  ::ExitProcess(static_cast<UINT>(status));
}

HWND ScriptSession::form(const std::string& name, const ScriptLine& line) const {
  HWND shown = driver::findShownWindow(name);
  if (!shown) throw scriptErrorAt(line.number, "no window " + name + " is open");
  return shown;
}

HWND ScriptSession::control(const ScriptLine& line) const {
  const std::string& word = line.words[1];
  const auto dot = word.find('.');
  if (dot == std::string::npos) {
    throw scriptErrorAt(line.number, "expected WINDOW.CONTROL: " + word);
  }
  const std::string windowName = word.substr(0, dot);
  const std::string controlName = word.substr(dot + 1);
  HWND found = driver::findControl(form(windowName, line), controlName);
  if (!found) {
    throw scriptErrorAt(line.number, "unknown control " + controlName + " on " + windowName);
  }
  return found;
}

int ScriptSession::entryIndex(HWND list, const std::string& which, const ScriptLine& line) const {
  const std::vector<std::string> entries = driver::listEntries(list);
  const std::string& name = line.words[1];
  if (which.size() > 1 && which[0] == '#') {
    const int index = std::stoi(which.substr(1));
    if (index < 0 || index >= static_cast<int>(entries.size())) {
      throw scriptErrorAt(line.number, "no entry " + which + " in " + name);
    }
    return index;
  }
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (entries[i] == which) return static_cast<int>(i);
  }
  throw scriptErrorAt(line.number, "no entry \"" + which + "\" in " + name);
}

void ScriptSession::create(const ScriptLine& line) {
  ::ICommand* command = makeCommand_();
  if (!command) throw scriptErrorAt(line.number, "the command cannot be made");
  commands_.push_back(command);
  const HRESULT created = command->OnCreate(application_);
  if (FAILED(created))
    fail(kCommandFailed, "the command's OnCreate failed: " + hresultText(created));
}

void ScriptSession::click(const ScriptLine& line) {
  if (commands_.empty()) throw scriptErrorAt(line.number, "click before create");
  const HRESULT clicked = commands_.back()->OnClick();
  if (FAILED(clicked))
    fail(kCommandFailed, "the command's OnClick failed: " + hresultText(clicked));
}

void ScriptSession::queueAnswer(MessageResult answer) {
  answers_.push_back(answer);
}

void ScriptSession::queueInput(std::optional<std::string> answer) {
  inputs_.push_back(std::move(answer));
}

std::size_t ScriptSession::unusedAnswers() const {
  return answers_.size() + inputs_.size();
}

void ScriptSession::press(const ScriptLine& line) {
  if (!driver::press(control(line))) {
    throw scriptErrorAt(line.number, line.words[1] + " cannot be pressed");
  }
}

void ScriptSession::select(const ScriptLine& line) {
  HWND list = control(line);
  if (!driver::choose(list, entryIndex(list, line.words[2], line))) {
    throw scriptErrorAt(line.number, line.words[1] + " is not a list");
  }
}

void ScriptSession::doubleClick(const ScriptLine& line) {
  HWND list = control(line);
  if (!driver::doubleClick(list, entryIndex(list, line.words[2], line))) {
    throw scriptErrorAt(line.number, line.words[1] + " is not a list");
  }
}

void ScriptSession::check(const ScriptLine& line) {
  HWND box = control(line);
  const std::string& value = line.words[2];
  const bool checkBox = (::GetWindowLongW(box, GWL_STYLE) & BS_TYPEMASK) == BS_AUTOCHECKBOX ||
                        (::GetWindowLongW(box, GWL_STYLE) & BS_TYPEMASK) == BS_CHECKBOX;
  if (!checkBox || (value != "0" && value != "1")) {
    throw scriptErrorAt(line.number, "check takes a check box and 0 or 1");
  }
  const LRESULT wanted = value == "1" ? BST_CHECKED : BST_UNCHECKED;
  if (::SendMessageW(box, BM_GETCHECK, 0, 0) != wanted) {
    driver::press(box);
    return;
  }
  // Already so: the click a person's setting would make, without turning it over.
  const auto id = static_cast<WORD>(::GetDlgCtrlID(box));
  ::SendMessageW(::GetParent(box), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(box));
}

void ScriptSession::type(const ScriptLine& line) {
  if (!driver::typeText(control(line), line.words[2])) {
    throw scriptErrorAt(line.number, line.words[1] + " is not a text box");
  }
}

// Through the directory list as a person would: up to where the paths meet, then down.
void ScriptSession::changeDirectory(const ScriptLine& line) {
  HWND list = control(line);
  HWND label = ::FindWindowExW(list, nullptr, L"STATIC", nullptr);
  if (classOf(list) != cw::win32::kPanelClass || !label) {
    throw scriptErrorAt(line.number, line.words[1] + " is not a directory list");
  }
  const std::vector<std::string> wanted = pathParts(line.words[2]);
  auto enter = [&](const std::string& name) {
    const std::vector<std::string> entries = driver::listEntries(list);
    for (std::size_t i = 0; i < entries.size(); ++i) {
      if (sameName(entries[i], name)) {
        driver::choose(list, static_cast<int>(i));
        return;
      }
    }
    throw scriptErrorAt(line.number, "no directory " + line.words[2]);
  };
  for (int guard = 0; guard < 64; ++guard) {
    const std::vector<std::string> here = pathParts(directoryPath(list));
    if (here.empty() || wanted.empty() || !sameName(here[0], wanted[0])) {
      throw scriptErrorAt(line.number, "no way to " + line.words[2] + " in this directory list");
    }
    std::size_t common = 0;
    while (common < here.size() && common < wanted.size() &&
           sameName(here[common], wanted[common])) {
      ++common;
    }
    if (common < here.size()) {
      enter("..");
    } else if (common < wanted.size()) {
      enter(wanted[common]);
    } else {
      return;
    }
  }
  throw scriptErrorAt(line.number, "no way to " + line.words[2]);
}

void ScriptSession::close(const ScriptLine& line) {
  driver::closeWindow(driver::topLevelOf(form(line.words[1], line)));
}

std::string ScriptSession::show(const ScriptLine& line) {
  const std::string& name = line.words[1];
  HWND shown = form(name, line);
  const cw::ui::WindowSpec* spec = specNamed(name);
  if (!spec) throw scriptErrorAt(line.number, "no window " + name + " is known");
  using K = cw::ui::ControlKind;
  std::string out;
  for (const cw::ui::ControlSpec& cs : spec->controls) {
    HWND control = driver::findControl(shown, cs.name);
    if (!control) continue;
    const std::string full = name + "." + cs.name;
    switch (cs.kind) {
      case K::kTextBox:
        out += "TEXT " + full + " " + quoteForTranscript(driver::controlText(control)) + "\n";
        break;
      case K::kCheckBox:
        out += "CHECK " + full + " " +
               (::SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED ? "1" : "0") + "\n";
        break;
      case K::kListBox:
      case K::kDriveList:
      case K::kFileList:
        out += listLine(full, driver::listEntries(control), driver::listSelection(control));
        break;
      case K::kDirectoryList: {
        out += "TEXT " + full + " " + quoteForTranscript(directoryPath(control)) + "\n";
        out += listLine(full, driver::listEntries(control), -1);
        break;
      }
      default:
        break;
    }
  }
  return out;
}
