#pragma once

class QWidget;

namespace cw::ui {
class Control;
class Window;
}  // namespace cw::ui

namespace cw::qt {

// The widget of one control, by its kind, inside `parent`. It shows the model's state, follows
// the model's changes and hands the user's actions to the window's handlers.
QWidget* createControlWidget(ui::Window& window, ui::Control& control, QWidget* parent);

// The widgets of the list kinds (list box, drive, directory and file list).
QWidget* createListWidget(ui::Window& window, ui::Control& control, QWidget* parent);

}  // namespace cw::qt
