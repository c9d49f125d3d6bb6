#include "frontends/qt/command_toolbar.h"

#include <QAction>
#include <QImage>
#include <QPixmap>
#include <functional>

#include "base/failure.h"
#include "command/corbelwick_bookmarks.h"
#include "hosts/standin/application.h"

namespace cw::qt {

namespace {

// A property read the command refuses (its failure code) reads as empty, as a host shows it.
QString read(const std::function<std::string()>& property) {
  try {
    return QString::fromStdString(property());
  } catch (const Failure&) {
    return {};
  }
}

QIcon iconOf(ICommand& command) {
  try {
    const Bitmap16& bitmap = command.Bitmap();
    QImage image(bitmap.rgb, Bitmap16::kSize, Bitmap16::kSize, Bitmap16::kSize * 3,
                 QImage::Format_RGB888);
    return QIcon(QPixmap::fromImage(image.copy()));
  } catch (const Failure&) {
    return {};
  }
}

}  // namespace

CommandToolbar::CommandToolbar(ICommand& command, standin::Application& host, QWidget* parent)
    : QToolBar(parent), command_(command) {
  try {
    command.OnCreate(&host);
  } catch (const Failure&) {
    // The creation hook reports its own failures; the button stays all the same.
  }
  setWindowTitle(read([&] { return command.Category(); }));
  setObjectName(read([&] { return command.Name(); }) + "Toolbar");
  setIconSize({16, 16});
  action_ = addAction(iconOf(command), read([&] { return command.Caption(); }));
  action_->setObjectName(read([&] { return command.Name(); }));
  action_->setToolTip(read([&] { return command.Tooltip(); }));
  action_->setStatusTip(read([&] { return command.Message(); }));
  action_->setEnabled(command.Enabled() != kVariantFalse);
  action_->setCheckable(false);
  connect(action_, &QAction::triggered, this, [this] {
    try {
      command_.OnClick();
    } catch (const Failure&) {
      // The click hook reports its own failures.
    }
  });
}

QWidget* CommandToolbar::commandButton() const {
  return widgetForAction(action_);
}

}  // namespace cw::qt
