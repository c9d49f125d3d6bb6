#pragma once

#include <QImage>

class QWidget;

namespace cw::qt {

// A picture of the desktop as the user sees it, the size of the main window: the main window,
// then every other visible top-level window (host frames, dialogs; modal ones last) at its place,
// each under a drawn title bar with its caption.
QImage screenshot(QWidget* mainWindow);

}  // namespace cw::qt
