#include "ui/controls/window_registry.h"

#include <algorithm>

namespace cw::ui {

WindowRegistry::~WindowRegistry() {
  dropKept();
}

void WindowRegistry::dropKept() {
  while (!kept_.empty()) {
    std::unique_ptr<Window> window = std::move(kept_.back());
    kept_.pop_back();
    unlist(*window);
  }
}

void WindowRegistry::unlist(const Window& window) {
  live_.erase(std::remove(live_.begin(), live_.end(), &window), live_.end());
}

Window& WindowRegistry::keep(std::unique_ptr<Window> window, bool listed) {
  Window& kept = *window;
  kept_.push_back(std::move(window));
  if (listed) list(kept);
  return kept;
}

}  // namespace cw::ui
