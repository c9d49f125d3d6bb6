#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "frontends/win32/pixel_scale.h"
#include "frontends/win32/window_classes.h"

namespace cw::ui {
class Control;
class Window;
}  // namespace cw::ui

namespace cw::win32 {

// One system window rendered as real Win32 controls from its description: a client window of
// the window's size with one control per line of the description, in the order given, each at
// its place in pixels within its container (the first described lies on top where they
// overlap), with its caption, tooltip and the window's font. The controls follow their models
// (captions, texts, values at once; list entries in one batch when the thread next reads its
// messages, or on sync()) and hand the user's actions to the window's handlers by name.
class FormView : public MessageTarget {
 public:
  FormView(ui::Window& window, HWND parent, PixelScale scale);
  ~FormView() override;
  FormView(const FormView&) = delete;
  FormView& operator=(const FormView&) = delete;

  HWND handle() const { return form_; }
  ui::Window& window() const { return window_; }
  const PixelScale& scale() const { return scale_; }
  // The control of that name (a directory list's panel); nullptr for an unknown name.
  HWND controlWindow(std::string_view name) const;
  // Brings the lists up to their models now.
  void sync();

  LRESULT handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  struct Binding {
    ui::Control* model = nullptr;
    HWND window = nullptr;  // the control (a directory list's panel)
    HWND list = nullptr;    // the list or drop-down list of the list kinds
    HWND label = nullptr;   // a directory list's path
    std::vector<std::wstring> shown;
    bool stale = false;
  };

  void createControl(ui::Control& control, const PixelRect& at);
  void follow(std::size_t index);
  void refresh(Binding& binding);
  void refreshList(Binding& binding);
  void scheduleListSync(std::size_t index);
  void command(Binding& binding, HWND source, int code);
  void addTooltip(HWND control, const std::string& text);
  Binding* bindingOf(HWND window);
  void drawPicture(const DRAWITEMSTRUCT& item);

  ui::Window& window_;
  PixelScale scale_;
  HWND form_ = nullptr;
  HWND tooltips_ = nullptr;
  HFONT font_ = nullptr;
  HFONT linkFont_ = nullptr;
  std::vector<Binding> bindings_;
  std::map<HWND, std::size_t> byWindow_;
  std::map<std::string, std::size_t, std::less<>> byName_;
  std::map<std::string, PixelRect, std::less<>> placed_;  // each control's place in the form
  bool syncPosted_ = false;
  bool writing_ = false;  // a text box is being given its model's text
  // Listeners of the models outlive this view: they hold this token weakly.
  std::shared_ptr<FormView*> alive_;
};

}  // namespace cw::win32
