#include "frontends/qt/qt_toolkit.h"

#include <QApplication>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QScreen>
#include <QUrl>

#include "frontends/qt/modal_window.h"
#include "ui/controls/window.h"

namespace cw::qt {

QString toDisplayText(std::string_view text) {
  QString shown = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  shown.replace("\r\n", "\n");
  shown.replace('\r', '\n');
  return shown;
}

QtToolkit::QtToolkit(QString title) : title_(std::move(title)) {}

QtToolkit::~QtToolkit() {
  if (waitCursor_) QGuiApplication::restoreOverrideCursor();
}

platform::MessageResult QtToolkit::messageBox(std::string_view text,
                                              platform::MessageButtons buttons) {
  QMessageBox box(parent_);
  box.setObjectName("MessageBox");
  box.setIcon(QMessageBox::NoIcon);
  box.setWindowTitle(title_);
  box.setTextFormat(Qt::PlainText);
  box.setText(toDisplayText(text));
  if (buttons == platform::MessageButtons::kYesNo) {
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes ? platform::MessageResult::kYes
                                          : platform::MessageResult::kNo;
  }
  box.setStandardButtons(QMessageBox::Ok);
  box.exec();
  return platform::MessageResult::kOk;
}

std::string QtToolkit::inputBox(std::string_view prompt) {
  QInputDialog dialog(parent_);
  dialog.setObjectName("InputBox");
  dialog.setWindowTitle(title_);
  dialog.setInputMode(QInputDialog::TextInput);
  dialog.setLabelText(toDisplayText(prompt));
  dialog.setTextValue(QString());
  if (dialog.exec() != QDialog::Accepted) return "";
  return dialog.textValue().toStdString();
}

void QtToolkit::setMousePointer(platform::MousePointer pointer) {
  bool wait = pointer == platform::MousePointer::kHourglass;
  if (wait == waitCursor_) return;
  waitCursor_ = wait;
  if (wait) {
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
  } else {
    QGuiApplication::restoreOverrideCursor();
  }
}

platform::ScreenMetrics QtToolkit::screen() {
  platform::ScreenMetrics metrics;
  const QScreen* primary = QGuiApplication::primaryScreen();
  if (!primary) return metrics;
  TwipsScale s = TwipsScale::ofScreen(primary);
  metrics.twipsPerPixelX = s.perPixelX;
  metrics.twipsPerPixelY = s.perPixelY;
  metrics.widthTwips = primary->size().width() * s.perPixelX;
  metrics.heightTwips = primary->size().height() * s.perPixelY;
  return metrics;
}

void QtToolkit::showModal(ui::Window& window) {
  window.show();
  ModalWindowDialog dialog(window, scale(), parent_);
  dialog.runUntilHidden();
}

void QtToolkit::openLink(std::string_view target) {
  QDesktopServices::openUrl(QUrl(QString::fromUtf8(target.data(), qsizetype(target.size()))));
}

}  // namespace cw::qt
