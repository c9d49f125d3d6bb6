#include "frontends/qt/control_widgets.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <functional>

#include "ui/controls/simple_controls.h"
#include "ui/controls/window.h"

namespace cw::qt {

namespace {

QString text(const std::string& s) {
  return QString::fromStdString(s);
}

// A label that reports a click (labels, link labels and pictures have Click handlers).
class ClickableLabel : public QLabel {
 public:
  ClickableLabel(std::function<void()> onClick, QWidget* parent)
      : QLabel(parent), onClick_(std::move(onClick)) {}

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
      onClick_();
    }
  }

 private:
  std::function<void()> onClick_;
};

// Runs `update` now and whenever the model changes, for as long as the widget exists.
template <class W>
void follow(ui::Control& control, W* widget, std::function<void(W*)> update) {
  update(widget);
  QPointer<W> guard(widget);
  control.addListener([guard, update] {
    if (guard) update(guard.data());
  });
}

QPixmap logo(QSize size) {
  QPixmap pixmap(size.isEmpty() ? QSize(120, 50) : size);
  pixmap.fill(QColor("#1f4e79"));
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  int h = pixmap.height();
  p.setPen(Qt::NoPen);
  p.setBrush(QColor("#f2c14e"));
  p.drawEllipse(QPointF(h * 0.45, h * 0.5), h * 0.3, h * 0.3);
  p.setBrush(QColor("#1f4e79"));
  p.drawEllipse(QPointF(h * 0.45, h * 0.5), h * 0.12, h * 0.12);
  p.setPen(Qt::white);
  QFont font = p.font();
  font.setBold(true);
  font.setPixelSize(std::max(8, h / 4));
  p.setFont(font);
  QRect textRect(int(h * 0.85), 0, pixmap.width() - int(h * 0.9), h);
  p.drawText(textRect, Qt::AlignVCenter | Qt::AlignLeft | Qt::TextWordWrap, "Corbelwick\nGIS");
  return pixmap;
}

}  // namespace

QWidget* createControlWidget(ui::Window& window, ui::Control& control, QWidget* parent) {
  using K = ui::ControlKind;
  ui::Control* model = &control;
  auto click = [model] { model->fire(ui::Event::kClick); };
  switch (control.kind()) {
    case K::kButton: {
      auto* button = new QPushButton(parent);
      button->setAutoDefault(false);
      follow<QPushButton>(control, button,
                          [model](QPushButton* b) { b->setText(text(model->caption())); });
      QObject::connect(button, &QPushButton::clicked, button, click);
      return button;
    }
    case K::kCheckBox: {
      auto* box = new QCheckBox(parent);
      auto* check = static_cast<ui::CheckBox*>(model);
      follow<QCheckBox>(control, box, [check](QCheckBox* b) {
        b->setText(text(check->caption()));
        b->setChecked(check->value() != 0);
      });
      QObject::connect(box, &QCheckBox::clicked, box, [check](bool on) {
        check->setValue(on ? 1 : 0);
        check->fire(ui::Event::kClick);
      });
      return box;
    }
    case K::kTextBox: {
      auto* edit = new QLineEdit(parent);
      auto* box = static_cast<ui::TextBox*>(model);
      follow<QLineEdit>(control, edit, [box](QLineEdit* e) {
        QString shown = text(box->text());
        if (e->text() != shown) e->setText(shown);
      });
      QObject::connect(edit, &QLineEdit::textEdited, edit, [box](const QString& typed) {
        box->setText(typed.toStdString());
        box->fire(ui::Event::kChange);
      });
      return edit;
    }
    case K::kLabel:
    case K::kLinkLabel: {
      auto* label = new ClickableLabel(click, parent);
      bool link = control.kind() == K::kLinkLabel;
      if (link) {
        label->setCursor(Qt::PointingHandCursor);
        label->setStyleSheet("color: #0000ee; text-decoration: underline;");
      }
      label->setWordWrap(!link);
      label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
      follow<QLabel>(control, label, [model](QLabel* l) { l->setText(text(model->caption())); });
      label->setTextFormat(Qt::PlainText);
      return label;
    }
    case K::kFrame: {
      auto* box = new QGroupBox(parent);
      follow<QGroupBox>(control, box,
                        [model](QGroupBox* g) { g->setTitle(text(model->caption())); });
      return box;
    }
    case K::kPicture: {
      auto* picture = new ClickableLabel(click, parent);
      picture->setScaledContents(true);
      picture->setPixmap(logo(QSize(120, 50)));
      if (window.hasHandler(control.name(), ui::Event::kClick)) {
        picture->setCursor(Qt::PointingHandCursor);
      }
      return picture;
    }
    case K::kListBox:
    case K::kDriveList:
    case K::kDirectoryList:
    case K::kFileList:
      return createListWidget(window, control, parent);
  }
  return new QWidget(parent);
}

}  // namespace cw::qt
