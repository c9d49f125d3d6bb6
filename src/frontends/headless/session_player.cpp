#include "frontends/headless/session_player.h"

#include <charconv>
#include <string>
#include <string_view>
#include <vector>

#include "frontends/headless/session_target.h"
#include "hosts/standin/standin.h"
#include "ui/controls/control.h"

namespace cw::headless {

namespace {

// The layer a path names in the data frame of that name: a top-level layer, then members of
// group layers ("Land/Parks"); nullptr when there is none.
standin::Layer* findLayer(standin::Document& doc, const std::string& frameName,
                          const std::string& layerPath) {
  std::vector<std::string> names;
  std::string path = layerPath;
  for (std::size_t slash; (slash = path.find('/')) != std::string::npos;) {
    names.push_back(path.substr(0, slash));
    path.erase(0, slash + 1);
  }
  names.push_back(path);
  for (int i = 0; i < doc.dataFrameCount(); ++i) {
    auto& frame = doc.dataFrame(i);
    if (frame.name() != frameName) continue;
    for (int j = 0; j < frame.layerCount(); ++j) {
      standin::Layer* layer = &frame.layer(j);
      if (layer->name() != names[0]) continue;
      for (std::size_t depth = 1; layer && depth < names.size(); ++depth) {
        standin::Layer* member = nullptr;
        for (int k = 0; k < layer->memberCount() && !member; ++k) {
          if (layer->member(k).name() == names[depth]) member = &layer->member(k);
        }
        layer = member;
      }
      if (layer) return layer;
    }
  }
  return nullptr;
}

}  // namespace

SessionPlayer::SessionPlayer(SessionTarget& target, standin::Application& host, std::ostream& out)
    : target_(target), host_(host), out_(out) {}

void SessionPlayer::load(const std::string& script) {
  lines_ = parseScript(script);
  next_ = 0;
}

void SessionPlayer::runUntil(const std::function<bool()>& done) {
  while (!done() && step()) {
  }
}

bool SessionPlayer::step() {
  if (ended()) return false;
  perform(lines_[next_++]);
  return true;
}

void SessionPlayer::finish() {
  if (target_.unusedAnswers() > 0) {
    throw ScriptError{"the script ended with " + std::to_string(target_.unusedAnswers()) +
                      " queued answer(s) unused"};
  }
}

void SessionPlayer::play(const std::string& script) {
  load(script);
  runUntil([] { return false; });
  finish();
}

void SessionPlayer::perform(const ScriptLine& line) {
  const auto& w = line.words;
  const std::string& action = w[0];
  out_ << "> " << joinScriptWords(w, 0) << "\n";
  auto need = [&](std::size_t count) {
    if (w.size() != count + 1) {
      throw scriptErrorAt(line.number, action + " takes " + std::to_string(count) + " argument(s)");
    }
  };
  auto& doc = host_.document();

  // The actions on the module's windows, each taking its script line as it stands.
  struct WindowAction {
    std::string_view name;
    std::size_t arguments;
    void (SessionTarget::*act)(const ScriptLine&);
  };
  static constexpr WindowAction kWindowActions[] = {{"create", 0, &SessionTarget::create},
                                                    {"click", 0, &SessionTarget::click},
                                                    {"press", 1, &SessionTarget::press},
                                                    {"select", 2, &SessionTarget::select},
                                                    {"dblclick", 2, &SessionTarget::doubleClick},
                                                    {"check", 2, &SessionTarget::check},
                                                    {"type", 2, &SessionTarget::type},
                                                    {"chdir", 2, &SessionTarget::changeDirectory},
                                                    {"close", 1, &SessionTarget::close}};
  for (const WindowAction& windowAction : kWindowActions) {
    if (action == windowAction.name) {
      need(windowAction.arguments);
      (target_.*windowAction.act)(line);
      return;
    }
  }

  if (action == "answer") {
    need(1);
    if (w[1] == "OK") {
      target_.queueAnswer(platform::MessageResult::kOk);
    } else if (w[1] == "Yes") {
      target_.queueAnswer(platform::MessageResult::kYes);
    } else if (w[1] == "No") {
      target_.queueAnswer(platform::MessageResult::kNo);
    } else {
      throw scriptErrorAt(line.number, "answer takes OK, Yes or No");
    }
  } else if (action == "input") {
    need(1);
    target_.queueInput(w[1]);
  } else if (action == "input-cancel") {
    need(0);
    target_.queueInput(std::nullopt);
  } else if (action == "show") {
    need(1);
    out_ << target_.show(line);
  } else if (action == "state") {
    need(0);
    printState();
  } else if (action == "view") {
    need(1);
    if (w[1] != "map" && w[1] != "layout") {
      throw scriptErrorAt(line.number, "view takes map or layout");
    }
    doc.setLayoutActive(w[1] == "layout");
  } else if (action == "focus") {
    need(1);
    int found = -1;
    for (int i = 0; i < doc.dataFrameCount(); ++i) {
      if (doc.dataFrame(i).name() == w[1]) found = i;
    }
    if (found < 0) throw scriptErrorAt(line.number, "no data frame " + w[1]);
    doc.setFocusMap(found);
  } else if (action == "extent") {
    need(4);
    double v[4];
    for (int i = 0; i < 4; ++i) {
      const std::string& s = w[1 + i];
      auto r = std::from_chars(s.data(), s.data() + s.size(), v[i]);
      if (r.ec != std::errc() || r.ptr != s.data() + s.size()) {
        throw scriptErrorAt(line.number, "not a number: " + s);
      }
    }
    doc.focusMap().setExtent({v[0], v[1], v[2], v[3]});
  } else if (action == "layer") {
    need(3);
    if (w[3] != "on" && w[3] != "off") throw scriptErrorAt(line.number, "layer takes on or off");
    standin::Layer* found = findLayer(doc, w[1], w[2]);
    if (!found) throw scriptErrorAt(line.number, "no layer " + w[2] + " in " + w[1]);
    found->setVisible(w[3] == "on");
  } else {
    throw scriptErrorAt(line.number, "unknown action " + action);
  }
}

void SessionPlayer::printState() {
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
