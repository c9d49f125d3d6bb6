#include "frontends/qt/screenshot.h"

#include <QApplication>
#include <QPainter>
#include <QWidget>
#include <algorithm>

namespace cw::qt {

namespace {

constexpr int kTitleHeight = 22;

void drawWindow(QPainter& p, QWidget* w, const QPoint& origin) {
  QPoint at = w->geometry().topLeft() - origin;
  QRect title(at.x(), at.y() - kTitleHeight, w->width(), kTitleHeight);
  p.fillRect(title.adjusted(-1, -1, 1, 0), QColor("#2b579a"));
  p.setPen(Qt::white);
  p.drawText(title.adjusted(8, 0, -8, 0), Qt::AlignVCenter | Qt::AlignLeft, w->windowTitle());
  p.drawPixmap(at, w->grab());
  p.setPen(QColor("#2b579a"));
  p.drawRect(QRect(at, w->size()).adjusted(-1, -1, 0, 0));
}

}  // namespace

QImage screenshot(QWidget* mainWindow) {
  QCoreApplication::processEvents();
  QImage image(mainWindow->size(), QImage::Format_RGB32);
  image.fill(QColor("#3a3a3a"));
  QPainter p(&image);
  p.drawPixmap(0, 0, mainWindow->grab());
  QPoint origin = mainWindow->geometry().topLeft();
  std::vector<QWidget*> others;
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (w != mainWindow && w->isVisible() && !w->isMinimized() && w->width() > 0 &&
        w->windowType() != Qt::Popup) {
      others.push_back(w);
    }
  }
  // Frames in the order they were last shown, modal dialogs above them, the active one on top.
  std::stable_sort(others.begin(), others.end(), [](QWidget* a, QWidget* b) {
    auto rank = [](QWidget* w) {
      if (w == QApplication::activeModalWidget()) return 1 << 30;
      if (w->isModal()) return 1 << 29;
      return w->property("stackOrder").toInt();
    };
    return rank(a) < rank(b);
  });
  for (QWidget* w : others) drawWindow(p, w, origin);
  return image;
}

}  // namespace cw::qt
