#include <gtest/gtest.h>

#include <set>
#include <tuple>

#include "command/corbelwick_bookmarks.h"
#include "support/test_app.h"

namespace cw {
namespace {

TEST(CommandProperties, ReadAsTheHostDrawsTheButton) {
  testing::TestApp t;
  ICommand& command = t.command;
  for (int read = 0; read < 3; ++read) {
    EXPECT_EQ(command.Enabled(), -1);
    EXPECT_EQ(command.Checked(), 0);
  }
  EXPECT_EQ(command.Name(), "CorbelwickGIS_CorbelwickBookmarks");
  EXPECT_EQ(command.Caption(), "CorbelwickBookmarks");
  EXPECT_EQ(command.Tooltip(), "CorbelwickBookmarks - Store and organize bookmarks");
  EXPECT_EQ(command.Message(), "CorbelwickGIS: http://www.corbelwickgis.example");
  EXPECT_EQ(command.HelpFile(), "");
  EXPECT_EQ(command.HelpContextID(), 0);
  EXPECT_EQ(command.Category(), "CorbelwickGIS");
}

TEST(CommandProperties, FixedTextsDoNotFollowTheProcessWideNames) {
  testing::TestApp t;
  t.command.OnCreate(&t.host);
  t.module.identity.CompanyName = "Other";
  t.module.identity.ProductName = "Renamed";
  EXPECT_EQ(t.command.Name(), "CorbelwickGIS_CorbelwickBookmarks");
  EXPECT_EQ(t.command.Caption(), "CorbelwickBookmarks");
  EXPECT_EQ(t.command.Tooltip(), "CorbelwickBookmarks - Store and organize bookmarks");
  EXPECT_EQ(t.command.Category(), "CorbelwickGIS");
}

TEST(CommandProperties, EveryReadOfTheBitmapGivesTheSamePicture) {
  testing::TestApp t;
  CorbelwickBookmarks second(t.module);
  const Bitmap16& first = t.command.Bitmap();
  EXPECT_EQ(&t.command.Bitmap(), &first);
  EXPECT_EQ(&second.Bitmap(), &first);  // one resources object per process

  // A picture, not a blank square: several colours, the ribbon's red among them.
  std::set<std::tuple<int, int, int>> colours;
  for (int pixel = 0; pixel < Bitmap16::kSize * Bitmap16::kSize; ++pixel) {
    colours.emplace(first.rgb[pixel * 3], first.rgb[pixel * 3 + 1], first.rgb[pixel * 3 + 2]);
  }
  EXPECT_GE(colours.size(), 4u);
  EXPECT_EQ(colours.count({0, 0, 0}), 0u);        // every pixel has a colour of the palette
  const unsigned char* top = first.rgb + 11 * 3;  // row 0, inside the ribbon
  EXPECT_GT(top[0], 0xA0);
  EXPECT_LT(top[1], 0x60);
}

}  // namespace
}  // namespace cw
