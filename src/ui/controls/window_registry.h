#pragma once

#include <memory>
#include <vector>

#include "ui/controls/window.h"

namespace cw::ui {

// The windows of the process that front ends and the session runner find by name (modal ones
// while they are shown, framed help windows for as long as they exist), and the windows the
// process keeps alive for the frames that show them. Registration undoes itself: a listed
// window leaves the list when it goes.
class WindowRegistry {
 public:
  WindowRegistry() = default;
  ~WindowRegistry();
  WindowRegistry(const WindowRegistry&) = delete;
  WindowRegistry& operator=(const WindowRegistry&) = delete;

  // Listed windows, newest last.
  const std::vector<Window*>& live() const { return live_; }
  void list(Window& window) { live_.push_back(&window); }
  void unlist(const Window& window);

  // Keeps a window until the process ends, listed or not.
  Window& keep(std::unique_ptr<Window> window, bool listed);
  const std::vector<std::unique_ptr<Window>>& kept() const { return kept_; }
  // Destroys the kept windows, newest first, each leaving the list as it goes.
  void dropKept();

 private:
  std::vector<Window*> live_;
  std::vector<std::unique_ptr<Window>> kept_;
};

// Lists a window for as long as it is in scope (a window shown modally).
class LiveWindow {
 public:
  LiveWindow(WindowRegistry& registry, Window& window) : registry_(registry), window_(window) {
    registry_.list(window_);
  }
  ~LiveWindow() { registry_.unlist(window_); }
  LiveWindow(const LiveWindow&) = delete;
  LiveWindow& operator=(const LiveWindow&) = delete;

 private:
  WindowRegistry& registry_;
  Window& window_;
};

}  // namespace cw::ui
