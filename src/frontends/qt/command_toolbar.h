#pragma once

#include <QToolBar>

namespace cw {
class ICommand;
}
namespace cw::standin {
class Application;
}

namespace cw::qt {

// A toolbar that carries a command as the host does: created with the command's creation hook,
// its Bitmap as icon, Tooltip as tooltip, Message in the status bar while hovered, Caption as
// text and Category as the toolbar's title; each press calls the click hook.
class CommandToolbar : public QToolBar {
 public:
  CommandToolbar(ICommand& command, standin::Application& host, QWidget* parent);
  QAction* commandAction() const { return action_; }
  QWidget* commandButton() const;

 private:
  ICommand& command_;
  QAction* action_ = nullptr;
};

}  // namespace cw::qt
