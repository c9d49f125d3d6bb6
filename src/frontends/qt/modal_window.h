#pragma once

#include <QDialog>

#include "frontends/qt/twips.h"

namespace cw::ui {
class Window;
}

namespace cw::qt {

class WindowView;

// A system window shown modally: its rendered view in a dialog that ends when the window is
// hidden. The dialog's own close control is the window's (which hides it or not).
class ModalWindowDialog : public QDialog {
 public:
  ModalWindowDialog(ui::Window& window, TwipsScale scale, QWidget* parent);
  WindowView* view() const { return view_; }

  // Runs the dialog until the window is hidden (or the application quits).
  void runUntilHidden();

  void reject() override;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  ui::Window& window_;
  WindowView* view_ = nullptr;
};

}  // namespace cw::qt
