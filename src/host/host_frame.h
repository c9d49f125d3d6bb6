#pragma once

#include <string>

namespace cw::ui {
class Window;
}

namespace cw::host {

// A modeless frame window of the host holding one system window.
class HostFrame {
 public:
  virtual ~HostFrame() = default;
  // Binding loads the window when it is not loaded.
  virtual void bind(ui::Window& window) = 0;
  virtual void setCaption(std::string caption) = 0;
  // Showing the frame shows its window, loading it first when it is not loaded; hiding hides it.
  virtual void setVisible(bool visible) = 0;
  // Moves to left, top in pixels; width and height 0 keep the size.
  virtual void move(int left, int top, int width, int height) = 0;
};

// Whoever shows the system's windows makes their frames: the desktop's tool windows, the host's
// modeless windows.
class FrameProvider {
 public:
  virtual ~FrameProvider() = default;
  // A new frame; the provider keeps it.
  virtual HostFrame& createFrame() = 0;
  // True when one of its frames holds this window.
  virtual bool showsWindow(const ui::Window& window) const = 0;
};

}  // namespace cw::host
