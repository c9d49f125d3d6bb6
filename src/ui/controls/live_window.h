#pragma once

#include <algorithm>

#include "command/app_state.h"
#include "ui/controls/window.h"

namespace cw::ui {

// Keeps a window in the process's list of live windows while it is in scope, so front ends and
// the session runner can find a modal window by its name.
class LiveWindow {
 public:
  LiveWindow(AppState& app, Window& window) : app_(app), window_(window) {
    app_.liveWindows.push_back(&window_);
  }
  ~LiveWindow() {
    auto& live = app_.liveWindows;
    live.erase(std::remove(live.begin(), live.end(), &window_), live.end());
  }
  LiveWindow(const LiveWindow&) = delete;
  LiveWindow& operator=(const LiveWindow&) = delete;

 private:
  AppState& app_;
  Window& window_;
};

}  // namespace cw::ui
