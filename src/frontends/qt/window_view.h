#pragma once

#include <QFont>
#include <QWidget>
#include <map>
#include <string>
#include <string_view>

#include "frontends/qt/twips.h"

namespace cw::ui {
class Window;
}

namespace cw::qt {

// The font every window of the system is drawn in.
QFont windowFont();

// Renders one window of the system from its description: one widget per control, in the order
// of the description, each in its container at its place in pixels, with its caption and
// tooltip. The widgets follow the control models and hand user actions to the window. Controls
// described earlier lie on top of later ones where they overlap.
class WindowView : public QWidget {
 public:
  WindowView(ui::Window& window, TwipsScale scale, QWidget* parent = nullptr);

  ui::Window& window() const { return window_; }
  // The widget of a control; nullptr for an unknown name.
  QWidget* widgetFor(std::string_view control) const;
  const TwipsScale& scale() const { return scale_; }

 private:
  ui::Window& window_;
  TwipsScale scale_;
  std::map<std::string, QWidget*, std::less<>> widgets_;
};

}  // namespace cw::qt
