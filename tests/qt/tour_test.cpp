// The built-in tour writes one screenshot per step, each the size of the tour's main window and
// showing a picture, not an empty or single-coloured one.

#include "frontends/qt/tour.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <map>

#include "frontends/qt/desktop_app.h"
#include "hosts/standin/standin.h"
#include "support/temp_drives.h"

namespace cw::qt {
namespace {

TEST(DesktopTour, WritesANonBlankScreenshotOfTheWindowsSizePerStep) {
  testing::TempDrives drives;
  QTemporaryDir out;
  ASSERT_TRUE(out.isValid());
  TourResult result;
  {
    DesktopApp app(drives.fs(), standin::sampleDocument());
    result = playTour(app, out.path());
  }
  EXPECT_EQ(result.error, QString());
  ASSERT_GE(result.files.size(), 10) << result.files.join(", ").toStdString();
  EXPECT_EQ(QDir(out.path()).entryList({"*.png"}).size(), result.files.size());
  for (const QString& file : result.files) {
    SCOPED_TRACE(file.toStdString());
    QImage image(file);
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), kTourWindowSize);
    std::map<QRgb, int> colours;
    for (int y = 0; y < image.height(); y += 3) {
      for (int x = 0; x < image.width(); x += 3) ++colours[image.pixel(x, y)];
    }
    int samples = ((image.height() + 2) / 3) * ((image.width() + 2) / 3);
    int commonest = 0;
    for (const auto& [colour, count] : colours) commonest = std::max(commonest, count);
    EXPECT_GT(colours.size(), 20u) << "a picture has many colours";
    EXPECT_LT(commonest, samples * 9 / 10) << "no colour covers nearly all of it";
  }
  // Consecutive steps show different things.
  for (int i = 1; i < result.files.size(); ++i) {
    EXPECT_NE(QImage(result.files[i - 1]), QImage(result.files[i]))
        << result.files[i].toStdString();
  }
}

}  // namespace
}  // namespace cw::qt
