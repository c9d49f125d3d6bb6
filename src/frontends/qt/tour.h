#pragma once

#include <QSize>
#include <QString>
#include <QStringList>

namespace cw::qt {

class DesktopApp;

// The built-in tour: the map, the layout, the command's button, the bookmarks window, a new
// group, a bookmark of a zoomed view, a zoom back to it after moving away and switching a layer
// off, and the help window when the bookmarks window has one. Every step writes a PNG screenshot
// of the main window's size into `directory`.
struct TourResult {
  QStringList files;  // in the order written
  QString error;      // empty when the tour ran to its end
};

// The size of the main window during the tour, and so of every screenshot.
inline constexpr QSize kTourWindowSize{1180, 760};

TourResult playTour(DesktopApp& app, const QString& directory);

}  // namespace cw::qt
