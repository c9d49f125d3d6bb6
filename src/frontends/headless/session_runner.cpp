#include "frontends/headless/session_runner.h"

#include <charconv>
#include <sstream>

#include "command/corbelwick_bookmarks.h"
#include "command/module.h"
#include "hosts/standin/standin.h"
#include "ui/controls/selectable.h"
#include "ui/controls/simple_controls.h"
#include "ui/controls/window.h"
#include "ui/main/frm_main.h"

namespace cw::headless {

namespace {

ScriptError errorAt(int line, const std::string& message) {
  return ScriptError{"script line " + std::to_string(line) + ": " + message};
}

// The words as a script line again: quoted where a word needs it.
std::string joinWords(const std::vector<std::string>& words, std::size_t from) {
  std::string out;
  for (std::size_t i = from; i < words.size(); ++i) {
    if (i > from) out += ' ';
    const std::string& word = words[i];
    bool plain = !word.empty() && word.find_first_of(" \t\"#") == std::string::npos;
    out += plain ? word : ui::quoteForTranscript(word);
  }
  return out;
}

}  // namespace

std::vector<std::string> splitScriptLine(const std::string& line) {
  std::vector<std::string> words;
  std::size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == '\r')) ++i;
    if (i >= line.size() || line[i] == '#') break;
    std::string word;
    if (line[i] == '"') {
      ++i;
      bool closed = false;
      while (i < line.size()) {
        if (line[i] == '\\' && i + 1 < line.size() && line[i + 1] == '"') {
          word += '"';
          i += 2;
        } else if (line[i] == '"') {
          ++i;
          closed = true;
          break;
        } else {
          word += line[i++];
        }
      }
      if (!closed) throw ScriptError{"unterminated quote in: " + line};
    } else {
      while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r') {
        word += line[i++];
      }
    }
    words.push_back(std::move(word));
  }
  return words;
}

std::string shortestNumber(double value) {
  if (value == 0) value = 0;  // no "-0"
  char buffer[64];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

SessionRunner::SessionRunner(platform::FileSystem& fs, standin::Application& host,
                             std::ostream& out)
    : fs_(fs), host_(host), out_(out) {
  module_ = std::make_unique<Module>(fs_, toolkit_, toolkit_, host_);
  toolkit_.onLine = [this](const std::string& line) { out_ << line << "\n"; };
  toolkit_.modalDriver = [this](ui::Window& shown) {
    runUntil([&] { return !shown.isVisible(); });
    if (shown.isVisible()) {
      throw ScriptError{"the script ended while " + shown.name() + " is shown"};
    }
  };
}

SessionRunner::~SessionRunner() = default;

std::vector<SessionRunner::Line> SessionRunner::parse(const std::string& script) {
  std::vector<Line> lines;
  std::istringstream in(script);
  std::string text;
  int number = 0;
  while (std::getline(in, text)) {
    ++number;
    try {
      auto words = splitScriptLine(text);
      if (!words.empty()) lines.push_back({number, std::move(words)});
    } catch (const ScriptError& e) {
      throw errorAt(number, e.message);
    }
  }
  return lines;
}

void SessionRunner::play(const std::string& script) {
  lines_ = parse(script);
  next_ = 0;
  runUntil([] { return false; });
  if (toolkit_.unusedAnswers() > 0) {
    throw ScriptError{"the script ended with " + std::to_string(toolkit_.unusedAnswers()) +
                      " queued answer(s) unused"};
  }
}

void SessionRunner::runUntil(const std::function<bool()>& done) {
  while (!done() && next_ < lines_.size()) perform(lines_[next_++]);
}

ui::Window& SessionRunner::window(const std::string& name, const Line& line) {
  if (name == "frmMain") {
    if (!module_->mainWindow) throw errorAt(line.number, "frmMain does not exist (no create?)");
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
  throw errorAt(line.number, "no window " + name + " is open");
}

void SessionRunner::perform(const Line& line) {
  const auto& w = line.words;
  const std::string& action = w[0];
  out_ << "> " << joinWords(w, 0) << "\n";
  auto need = [&](std::size_t count) {
    if (w.size() != count + 1) {
      throw errorAt(line.number, action + " takes " + std::to_string(count) + " argument(s)");
    }
  };
  // "W.CONTROL" split into the window and its control.
  auto target = [&](const std::string& word) -> std::pair<ui::Window*, ui::Control*> {
    auto dot = word.find('.');
    if (dot == std::string::npos) throw errorAt(line.number, "expected WINDOW.CONTROL: " + word);
    ui::Window& win = window(word.substr(0, dot), line);
    std::string control = word.substr(dot + 1);
    if (!win.hasControl(control)) {
      throw errorAt(line.number, "unknown control " + control + " on " + win.name());
    }
    return {&win, &win.control(control)};
  };
  auto selectIn = [&](ui::Control& control, const std::string& which) {
    auto* list = dynamic_cast<ui::Selectable*>(&control);
    if (!list) throw errorAt(line.number, control.name() + " is not a list");
    int index = -1;
    if (which.size() > 1 && which[0] == '#') {
      index = std::stoi(which.substr(1));
      if (index < 0 || index >= list->entryCount()) {
        throw errorAt(line.number, "no entry " + which + " in " + control.name());
      }
    } else {
      for (int i = 0; i < list->entryCount(); ++i) {
        if (list->entryText(i) == which) {
          index = i;
          break;
        }
      }
      if (index < 0) throw errorAt(line.number, "no entry \"" + which + "\" in " + control.name());
    }
    list->selectEntry(index);
  };
  auto& doc = host_.document();

  if (action == "create") {
    need(0);
    commands_.push_back(std::make_unique<CorbelwickBookmarks>(*module_));
    commands_.back()->OnCreate(&host_);
  } else if (action == "click") {
    need(0);
    if (commands_.empty()) throw errorAt(line.number, "click before create");
    commands_.back()->OnClick();
  } else if (action == "answer") {
    need(1);
    if (w[1] == "OK") {
      toolkit_.queueAnswer(platform::MessageResult::kOk);
    } else if (w[1] == "Yes") {
      toolkit_.queueAnswer(platform::MessageResult::kYes);
    } else if (w[1] == "No") {
      toolkit_.queueAnswer(platform::MessageResult::kNo);
    } else {
      throw errorAt(line.number, "answer takes OK, Yes or No");
    }
  } else if (action == "input") {
    need(1);
    toolkit_.queueInput(w[1]);
  } else if (action == "input-cancel") {
    need(0);
    toolkit_.queueInput(std::nullopt);
  } else if (action == "press") {
    need(1);
    auto [win, control] = target(w[1]);
    win->fire(control->name(), ui::Event::kClick);
  } else if (action == "select") {
    need(2);
    auto [win, control] = target(w[1]);
    selectIn(*control, w[2]);
  } else if (action == "dblclick") {
    need(2);
    auto [win, control] = target(w[1]);
    selectIn(*control, w[2]);
    win->fire(control->name(), ui::Event::kDblClick);
  } else if (action == "check") {
    need(2);
    auto [win, control] = target(w[1]);
    auto* box = dynamic_cast<ui::CheckBox*>(control);
    if (!box || (w[2] != "0" && w[2] != "1")) {
      throw errorAt(line.number, "check takes a check box and 0 or 1");
    }
    box->setValue(w[2] == "1" ? 1 : 0);
    win->fire(control->name(), ui::Event::kClick);
  } else if (action == "type") {
    need(2);
    auto [win, control] = target(w[1]);
    auto* box = dynamic_cast<ui::TextBox*>(control);
    if (!box) throw errorAt(line.number, control->name() + " is not a text box");
    box->setText(w[2]);
    win->fire(control->name(), ui::Event::kChange);
  } else if (action == "chdir") {
    need(2);
    auto [win, control] = target(w[1]);
    auto* place = dynamic_cast<ui::Navigable*>(control);
    if (!place) throw errorAt(line.number, control->name() + " is not a drive or directory list");
    place->navigate(w[2]);
  } else if (action == "close") {
    need(1);
    ui::Window& win = window(w[1], line);
    bool framed = false;
    for (const auto& frame : host_.frames().all()) {
      if (frame->window() == &win) {
        frame->setVisible(false);
        framed = true;
      }
    }
    if (!framed) win.closedByUser();
  } else if (action == "show") {
    need(1);
    out_ << window(w[1], line).dump();
  } else if (action == "state") {
    need(0);
    printState();
  } else if (action == "view") {
    need(1);
    if (w[1] != "map" && w[1] != "layout") throw errorAt(line.number, "view takes map or layout");
    doc.setLayoutActive(w[1] == "layout");
  } else if (action == "focus") {
    need(1);
    int found = -1;
    for (int i = 0; i < doc.dataFrameCount(); ++i) {
      if (doc.dataFrame(i).name() == w[1]) found = i;
    }
    if (found < 0) throw errorAt(line.number, "no data frame " + w[1]);
    doc.setFocusMap(found);
  } else if (action == "extent") {
    need(4);
    double v[4];
    for (int i = 0; i < 4; ++i) {
      const std::string& s = w[1 + i];
      auto r = std::from_chars(s.data(), s.data() + s.size(), v[i]);
      if (r.ec != std::errc() || r.ptr != s.data() + s.size()) {
        throw errorAt(line.number, "not a number: " + s);
      }
    }
    doc.focusMap().setExtent({v[0], v[1], v[2], v[3]});
  } else if (action == "layer") {
    need(3);
    if (w[3] != "on" && w[3] != "off") throw errorAt(line.number, "layer takes on or off");
    // The layer path names a top-level layer, then members of group layers: "Land/Parks".
    standin::Layer* found = nullptr;
    for (int i = 0; i < doc.dataFrameCount() && !found; ++i) {
      auto& frame = doc.dataFrame(i);
      if (frame.name() != w[1]) continue;
      std::vector<std::string> names;
      std::string path = w[2];
      for (std::size_t slash; (slash = path.find('/')) != std::string::npos;) {
        names.push_back(path.substr(0, slash));
        path.erase(0, slash + 1);
      }
      names.push_back(path);
      for (int j = 0; j < frame.layerCount() && !found; ++j) {
        standin::Layer* layer = &frame.layer(j);
        if (layer->name() != names[0]) continue;
        for (std::size_t depth = 1; layer && depth < names.size(); ++depth) {
          standin::Layer* member = nullptr;
          for (int k = 0; k < layer->memberCount() && !member; ++k) {
            if (layer->member(k).name() == names[depth]) member = &layer->member(k);
          }
          layer = member;
        }
        found = layer;
      }
    }
    if (!found) throw errorAt(line.number, "no layer " + w[2] + " in " + w[1]);
    found->setVisible(w[3] == "on");
  } else {
    throw errorAt(line.number, "unknown action " + action);
  }
}

void SessionRunner::printState() {
  auto& doc = host_.document();
  if (doc.layoutActive()) {
    out_ << "VIEW layout\n";
  } else {
    out_ << "VIEW map " << ui::quoteForTranscript(doc.focusMap().name()) << "\n";
  }
  for (int i = 0; i < doc.dataFrameCount(); ++i) {
    auto& frame = doc.dataFrame(i);
    auto e = frame.extent();
    out_ << "FRAME " << ui::quoteForTranscript(frame.name()) << " extent " << shortestNumber(e.XMin)
         << " " << shortestNumber(e.YMin) << " " << shortestNumber(e.XMax) << " "
         << shortestNumber(e.YMax) << (&frame == &doc.focusMap() ? " focus" : "") << "\n";
  }
  for (int i = 0; i < doc.dataFrameCount(); ++i) {
    auto& frame = doc.dataFrame(i);
    std::function<void(standin::Layer&, const std::string&)> print =
        [&](standin::Layer& layer, const std::string& prefix) {
          out_ << "LAYER " << ui::quoteForTranscript(frame.name()) << " "
               << ui::quoteForTranscript(prefix + layer.name()) << " "
               << (layer.visible() ? "on" : "off") << "\n";
          for (int k = 0; k < layer.memberCount(); ++k) {
            print(layer.member(k), prefix + layer.name() + "/");
          }
        };
    for (int j = 0; j < frame.layerCount(); ++j) print(frame.layer(j), "");
  }
  out_ << "REDRAWS map=" << doc.mapInvalidations << " graphics=" << doc.graphicsInvalidations
       << " toc=" << doc.tocRedraws << "\n";
}

}  // namespace cw::headless
