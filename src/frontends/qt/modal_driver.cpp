#include "frontends/qt/modal_driver.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

namespace cw::qt {

ModalDriver::ModalDriver() {
  timer_.setInterval(10);
  QObject::connect(&timer_, &QTimer::timeout, [this] { poll(); });
  timer_.start();
}

ModalDriver::~ModalDriver() = default;

void ModalDriver::poll() {
  QWidget* modal = QApplication::activeModalWidget();
  if (!modal || !modal->isVisible()) return;
  for (const auto& seen : seen_) {
    if (seen == modal) return;
  }
  std::erase_if(seen_, [](const QPointer<QWidget>& w) { return w.isNull(); });
  seen_.emplace_back(modal);
  ++handled_;
  Answer answer;
  if (!answers_.empty()) {
    answer = std::move(answers_.front());
    answers_.pop_front();
  } else {
    answer = unexpected ? unexpected : Answer(cancelDialog);
  }
  answer(modal);
}

void typeInput(QWidget* modal, const QString& text) {
  if (auto* edit = modal->findChild<QLineEdit*>()) {
    edit->setFocus();
    edit->clear();
    edit->insert(text);
  }
}

void answerInput(QWidget* modal, const QString& text) {
  typeInput(modal, text);
  if (auto* buttons = modal->findChild<QDialogButtonBox*>()) {
    if (QAbstractButton* ok = buttons->button(QDialogButtonBox::Ok)) {
      ok->click();
      return;
    }
  }
  if (auto* dialog = qobject_cast<QDialog*>(modal)) dialog->accept();
}

void cancelDialog(QWidget* modal) {
  if (auto* box = qobject_cast<QMessageBox*>(modal)) {
    if (QAbstractButton* escape = box->escapeButton()) {
      escape->click();
      return;
    }
  }
  if (auto* dialog = qobject_cast<QDialog*>(modal)) {
    dialog->reject();
  } else {
    modal->close();
  }
}

void pressButton(QWidget* modal, const QString& text) {
  for (QAbstractButton* button : modal->findChildren<QAbstractButton*>()) {
    if (button->text().remove('&') == text) {
      button->click();
      return;
    }
  }
  cancelDialog(modal);
}

QString dialogText(QWidget* modal) {
  if (auto* box = qobject_cast<QMessageBox*>(modal)) return box->text();
  if (auto* input = qobject_cast<QInputDialog*>(modal)) return input->labelText();
  return modal->windowTitle();
}

}  // namespace cw::qt
