#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "frontends/win32/pixel_scale.h"
#include "frontends/win32/window_classes.h"
#include "host/host_frame.h"

namespace cw::win32 {

class FormView;

// A host frame on the Windows desktop: a modeless tool window of its own, owned by the host's
// main window, showing the system window bound to it with the frame's caption, visibility and
// place. Its close control hides the frame (and its window, which stays loaded). A frame the
// system never moved opens over its owner.
class Win32HostFrame : public host::HostFrame, public MessageTarget {
 public:
  Win32HostFrame(HWND owner, PixelScale scale);
  ~Win32HostFrame() override;
  Win32HostFrame(const Win32HostFrame&) = delete;
  Win32HostFrame& operator=(const Win32HostFrame&) = delete;

  void bind(ui::Window& window) override;
  void setCaption(std::string caption) override;
  void setVisible(bool visible) override;
  void move(int left, int top, int width, int height) override;

  HWND hwnd() const { return frame_; }
  ui::Window* window() const { return window_; }
  // The rendered window; nullptr while nothing is bound.
  FormView* view() const { return view_.get(); }
  bool visible() const { return visible_; }

  LRESULT handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  HWND owner_;
  PixelScale scale_;
  HWND frame_ = nullptr;
  ui::Window* window_ = nullptr;
  std::unique_ptr<FormView> view_;
  bool visible_ = false;
  bool placed_ = false;
};

// The frames of the system's windows inside a host: each owned by the window the owner function
// names when it is made (the host's main window; nullptr for none), kept until the provider goes.
// Keys typed in them move between their controls as in a dialog, whatever the thread's loop.
class Win32FrameProvider : public host::FrameProvider {
 public:
  explicit Win32FrameProvider(std::function<HWND()> owner,
                              std::function<PixelScale()> scale = &PixelScale::ofScreen);
  ~Win32FrameProvider() override;

  Win32HostFrame& createFrame() override;
  bool showsWindow(const ui::Window& window) const override;
  const std::vector<std::unique_ptr<Win32HostFrame>>& frames() const { return frames_; }

 private:
  std::function<HWND()> owner_;
  std::function<PixelScale()> scale_;
  std::vector<std::unique_ptr<Win32HostFrame>> frames_;
  HHOOK keys_ = nullptr;  // dialog keys in the frames, on the thread that made them
};

}  // namespace cw::win32
