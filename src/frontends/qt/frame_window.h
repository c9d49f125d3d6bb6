#pragma once

#include <QWidget>

#include "frontends/qt/twips.h"

namespace cw::standin {
class Frame;
}
namespace cw::ui {
class Window;
}

namespace cw::qt {

class WindowView;

// A host frame on screen: a modeless tool window above the main window that shows the system
// window bound to the frame, with the frame's caption, visibility and position. Its own close
// control hides the frame; the window in it stays loaded.
class FrameWindow : public QWidget {
 public:
  FrameWindow(standin::Frame& frame, TwipsScale scale, QWidget* parent);

  standin::Frame& frame() const { return frame_; }
  // The rendered window; nullptr while nothing is bound.
  WindowView* view() const { return view_; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void follow();

  standin::Frame& frame_;
  TwipsScale scale_;
  WindowView* view_ = nullptr;
  ui::Window* rendered_ = nullptr;
  bool placed_ = false;
  bool cascaded_ = false;
  QPoint cascadeAt_;
};

}  // namespace cw::qt
