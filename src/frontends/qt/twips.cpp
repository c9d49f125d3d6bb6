#include "frontends/qt/twips.h"

#include <QGuiApplication>
#include <QScreen>

namespace cw::qt {

TwipsScale TwipsScale::ofScreen(const QScreen* screen) {
  if (!screen) screen = QGuiApplication::primaryScreen();
  if (!screen) return {};
  return fromDpi(screen->logicalDotsPerInchX(), screen->logicalDotsPerInchY());
}

}  // namespace cw::qt
