#include "frontends/headless/session_runner.h"

#include "command/corbelwick_bookmarks.h"
#include "command/module.h"
#include "hosts/standin/standin.h"
#include "ui/controls/selectable.h"
#include "ui/controls/simple_controls.h"
#include "ui/controls/window.h"
#include "ui/main/frm_main.h"

namespace cw::headless {

SessionRunner::SessionRunner(platform::FileSystem& fs, standin::Application& host,
                             std::ostream& out)
    : fs_(fs), host_(host), out_(out), player_(*this, host, out) {
  module_ = std::make_unique<Module>(fs_, toolkit_, toolkit_, host_);
  toolkit_.onLine = [this](const std::string& line) { out_ << line << "\n"; };
  toolkit_.modalDriver = [this](ui::Window& shown) {
    player_.runUntil([&] { return !shown.isVisible(); });
    if (shown.isVisible()) {
      throw ScriptError{"the script ended while " + shown.name() + " is shown"};
    }
  };
}

SessionRunner::~SessionRunner() = default;

void SessionRunner::play(const std::string& script) {
  player_.play(script);
}

ui::Window& SessionRunner::window(const std::string& name, const ScriptLine& line) {
  if (name == "frmMain") {
    if (!module_->mainWindow) {
      throw scriptErrorAt(line.number, "frmMain does not exist (no create?)");
    }
    return *module_->mainWindow;
  }
  auto shown = [this](ui::Window* w) {
    for (const auto& frame : host_.frames().all()) {
      if (frame->window() == w) return frame->visible();
    }
    return w->isVisible();
  };
  const auto& live = module_->windows.live();
  for (auto it = live.rbegin(); it != live.rend(); ++it) {
    if ((*it)->name() == name && shown(*it)) return **it;
  }
  for (auto it = live.rbegin(); it != live.rend(); ++it) {
    if ((*it)->name() == name) return **it;
  }
  throw scriptErrorAt(line.number, "no window " + name + " is open");
}

std::pair<ui::Window*, ui::Control*> SessionRunner::target(const ScriptLine& line) {
  const std::string& word = line.words[1];
  auto dot = word.find('.');
  if (dot == std::string::npos) {
    throw scriptErrorAt(line.number, "expected WINDOW.CONTROL: " + word);
  }
  ui::Window& win = window(word.substr(0, dot), line);
  std::string control = word.substr(dot + 1);
  if (!win.hasControl(control)) {
    throw scriptErrorAt(line.number, "unknown control " + control + " on " + win.name());
  }
  return {&win, &win.control(control)};
}

void SessionRunner::selectIn(ui::Control& control, const std::string& which,
                             const ScriptLine& line) {
  auto* list = dynamic_cast<ui::Selectable*>(&control);
  if (!list) throw scriptErrorAt(line.number, control.name() + " is not a list");
  int index = -1;
  if (which.size() > 1 && which[0] == '#') {
    index = std::stoi(which.substr(1));
    if (index < 0 || index >= list->entryCount()) {
      throw scriptErrorAt(line.number, "no entry " + which + " in " + control.name());
    }
  } else {
    for (int i = 0; i < list->entryCount(); ++i) {
      if (list->entryText(i) == which) {
        index = i;
        break;
      }
    }
    if (index < 0) {
      throw scriptErrorAt(line.number, "no entry \"" + which + "\" in " + control.name());
    }
  }
  list->selectEntry(index);
}

void SessionRunner::create(const ScriptLine&) {
  commands_.push_back(std::make_unique<CorbelwickBookmarks>(*module_));
  commands_.back()->OnCreate(&host_);
}

void SessionRunner::click(const ScriptLine& line) {
  if (commands_.empty()) throw scriptErrorAt(line.number, "click before create");
  commands_.back()->OnClick();
}

void SessionRunner::queueAnswer(platform::MessageResult answer) {
  toolkit_.queueAnswer(answer);
}

void SessionRunner::queueInput(std::optional<std::string> answer) {
  toolkit_.queueInput(std::move(answer));
}

std::size_t SessionRunner::unusedAnswers() const {
  return toolkit_.unusedAnswers();
}

void SessionRunner::press(const ScriptLine& line) {
  auto [win, control] = target(line);
  win->fire(control->name(), ui::Event::kClick);
}

void SessionRunner::select(const ScriptLine& line) {
  auto [win, control] = target(line);
  selectIn(*control, line.words[2], line);
}

void SessionRunner::doubleClick(const ScriptLine& line) {
  auto [win, control] = target(line);
  selectIn(*control, line.words[2], line);
  win->fire(control->name(), ui::Event::kDblClick);
}

void SessionRunner::check(const ScriptLine& line) {
  auto [win, control] = target(line);
  const std::string& value = line.words[2];
  auto* box = dynamic_cast<ui::CheckBox*>(control);
  if (!box || (value != "0" && value != "1")) {
    throw scriptErrorAt(line.number, "check takes a check box and 0 or 1");
  }
  box->setValue(value == "1" ? 1 : 0);
  win->fire(control->name(), ui::Event::kClick);
}

void SessionRunner::type(const ScriptLine& line) {
  auto [win, control] = target(line);
  auto* box = dynamic_cast<ui::TextBox*>(control);
  if (!box) throw scriptErrorAt(line.number, control->name() + " is not a text box");
  box->setText(line.words[2]);
  win->fire(control->name(), ui::Event::kChange);
}

void SessionRunner::changeDirectory(const ScriptLine& line) {
  auto [win, control] = target(line);
  auto* place = dynamic_cast<ui::Navigable*>(control);
  if (!place) {
    throw scriptErrorAt(line.number, control->name() + " is not a drive or directory list");
  }
  place->navigate(line.words[2]);
}

void SessionRunner::close(const ScriptLine& line) {
  ui::Window& win = window(line.words[1], line);
  bool framed = false;
  for (const auto& frame : host_.frames().all()) {
    if (frame->window() == &win) {
      frame->setVisible(false);
      framed = true;
    }
  }
  if (!framed) win.closedByUser();
}

std::string SessionRunner::show(const ScriptLine& line) {
  return window(line.words[1], line).dump();
}

}  // namespace cw::headless
