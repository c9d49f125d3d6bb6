#include "store/side_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>
#include <set>
#include <string>

#include "platform/file_system.h"
#include "platform/windows_path.h"
#include "support/temp_drives.h"

namespace cw::store {
namespace {

using cw::testing::TempDrives;

const std::string kConfigDir = "C:\\Program Files\\Corbel\\BookmarksConfig/";
const std::string kLists = kConfigDir + "lists/";

// "café.bmk" in UTF-8, spelt with a lower-case and an upper-case é.
const std::string kLowerCafe = "C:\\Lists\\caf\xC3\xA9.bmk";
const std::string kUpperCafe = "C:\\LISTS\\CAF\xC3\x89.BMK";
// The area an earlier version made for kLowerCafe: it hashed "C:\LISTS\CAFé.BMK", the é left
// in lower case.
const std::string kEarlierCafeArea = kLists + "caf\xC3\xA9-92493a33d580c6d3/";

// The hash part of an area's name, "-0123456789abcdef/".
std::string hashOf(const std::string& area) {
  return area.substr(area.rfind('-'));
}

struct SideFileDrive {
  SideFileDrive() { drives.makeDirectory("C:\\Program Files\\Corbel"); }
  platform::FileSystem& fs() { return drives.fs(); }
  std::size_t areaCount() const {
    auto lists = drives.host(kLists);
    if (!std::filesystem::exists(lists)) return 0;
    auto entries = std::filesystem::directory_iterator(lists);
    return static_cast<std::size_t>(std::distance(begin(entries), end(entries)));
  }
  TempDrives drives;
};

// Users have areas under these names: every path without a lower-case letter beyond ASCII
// keeps the area it had.
TEST(SideFileAreaTest, AreasOfPathsWithoutLowerCaseAccentsKeepTheirNames) {
  struct Case {
    const char* listPath;
    const char* area;
  } cases[] = {
      {"C:\\Program Files\\Corbel\\bookmarks_default.bmk", "bookmarks_default-9223fd02da9060a1/"},
      {"c:/program files/corbel/./bookmarks_default.bmk", "bookmarks_default-9223fd02da9060a1/"},
      {"C:\\Program Files\\\\Corbel\\Old\\..\\bookmarks_default.bmk",
       "bookmarks_default-9223fd02da9060a1/"},
      {"C:\\..\\Program Files\\Corbel\\bookmarks_default.bmk",
       "bookmarks_default-9223fd02da9060a1/"},
      {"C:\\Lists\\CAF\xC3\x89.bmk", "CAF\xC3\x89-fdc152ce9e237cb3/"},
  };
  SideFileDrive s;
  for (const auto& c : cases) {
    EXPECT_EQ(ListSideFileArea(kConfigDir, c.listPath), kLists + c.area) << c.listPath;
    EXPECT_EQ(ListSideFileArea(s.fs(), kConfigDir, c.listPath), kLists + c.area) << c.listPath;
  }
}

TEST(SideFileAreaTest, OneListSpeltInEitherCaseHasOneArea) {
  SideFileDrive s;
  EXPECT_EQ(hashOf(ListSideFileArea(kConfigDir, kLowerCafe)),
            hashOf(ListSideFileArea(kConfigDir, kUpperCafe)));

  EnsureGroupSideDirectory(s.fs(), kConfigDir, kLowerCafe, "Parks");
  const std::string written = LayerVisibilityPath(s.fs(), kConfigDir, kLowerCafe, "Parks", "View");
  s.drives.write(written, "recorded");
  EnsureGroupSideDirectory(s.fs(), kConfigDir, kUpperCafe, "Parks");

  const std::string read =
      LayerVisibilityFileToRead(s.fs(), kConfigDir, kUpperCafe, "Parks", "View");
  ASSERT_FALSE(read.empty());
  EXPECT_EQ(s.drives.fs().hostPath(read), s.drives.fs().hostPath(written));
  EXPECT_EQ(s.areaCount(), 1u);
}

TEST(SideFileAreaTest, AnAreaMadeUnderTheEarlierKeyStaysTheListsArea) {
  SideFileDrive s;
  s.drives.write(kEarlierCafeArea + "Parks/View", "earlier");

  EXPECT_EQ(ListSideFileArea(s.fs(), kConfigDir, kLowerCafe), kEarlierCafeArea);
  const std::string read =
      LayerVisibilityFileToRead(s.fs(), kConfigDir, kLowerCafe, "Parks", "View");
  EXPECT_EQ(read, kEarlierCafeArea + "Parks/View");
  EXPECT_EQ(s.drives.read(read), "earlier");

  // Written there too: no second area starts beside it.
  EnsureGroupSideDirectory(s.fs(), kConfigDir, kLowerCafe, "Roads");
  EXPECT_EQ(GroupSideDirectory(s.fs(), kConfigDir, kLowerCafe, "Roads"),
            kEarlierCafeArea + "^Roads/");
  EXPECT_TRUE(s.drives.exists(kEarlierCafeArea + "^Roads"));
  EXPECT_EQ(LayerVisibilityPath(s.fs(), kConfigDir, kLowerCafe, "Roads", "Bridge"),
            kEarlierCafeArea + "^Roads/^Bridge");
  EXPECT_EQ(s.areaCount(), 1u);

  // A list saved under a new name takes the recorded visibilities along.
  CopyListSideFiles(s.fs(), kConfigDir, kLowerCafe, "C:\\Lists\\copy.bmk");
  EXPECT_EQ(s.drives.read(
                LayerVisibilityPath(s.fs(), kConfigDir, "C:\\Lists\\copy.bmk", "Parks", "View")),
            "earlier");
}

// Both areas exist only when an earlier version was given both spellings of the list; the area
// of the one key then answers for every spelling.
TEST(SideFileAreaTest, TheAreaOfTheOneKeyWinsOverAnEarlierOne) {
  SideFileDrive s;
  s.drives.write(kEarlierCafeArea + "Parks/View", "earlier");
  s.drives.write(ListSideFileArea(kConfigDir, kUpperCafe) + "Parks/View", "current");

  for (const std::string& list : {kLowerCafe, kUpperCafe}) {
    const std::string read = LayerVisibilityFileToRead(s.fs(), kConfigDir, list, "Parks", "View");
    EXPECT_EQ(s.drives.fs().hostPath(read),
              s.drives.fs().hostPath(ListSideFileArea(kConfigDir, kUpperCafe) + "Parks/View"))
        << list;
  }
}

// Names that differ only in case are distinct groups and bookmarks, so their file names must
// differ also once a drive that ignores case has folded them; lower-case names keep the names
// earlier versions gave them.
TEST(SideFileNameTest, DistinctNamesStayDistinctUnderCaseFoldingAndLowerCaseNamesKeepTheirs) {
  struct Case {
    std::string name;
    std::string fileName;
  } cases[] = {
      {"parks", "parks"},
      {"Parks", "^Parks"},
      {"PARKS", "^P^A^R^K^S"},
      {"caf\xC3\xA9", "caf\xC3\xA9"},
      {"CAF\xC3\x89", "^C^A^F^\xC3\x89"},
      {"a^b", "a%5Eb"},
      {"A%", "^A%25"},
      {"con", "%63on"},
      {"CON", "%43^O^N"},
  };
  std::set<std::string> folded;
  for (const auto& c : cases) {
    EXPECT_EQ(SideFileName(c.name), c.fileName) << c.name;
    EXPECT_TRUE(folded.insert(platform::foldCase(SideFileName(c.name))).second) << c.name;
  }
  // Long names end in a hash; a marker is never cut from its letter.
  const std::string upper(300, 'A');
  const std::string lower(300, 'a');
  EXPECT_LE(SideFileName(upper).size(), 255u);
  EXPECT_NE(platform::foldCase(SideFileName(upper)), platform::foldCase(SideFileName(lower)));
  EXPECT_NE(SideFileName(upper)[SideFileName(upper).find('~') - 1], '^');
}

const std::string kTwinList = "C:\\Lists\\twins.bmk";

void writeFile(platform::FileSystem& fs, const std::string& path, const std::string& text) {
  auto out = fs.openNew(path);
  out->write(text);
  out->close();
}

std::string readFile(platform::FileSystem& fs, const std::string& path) {
  auto in = fs.openRead(path);
  std::string text;
  char buffer[256];
  for (std::size_t n; (n = in->read(buffer, sizeof buffer)) > 0;) text.append(buffer, n);
  return text;
}

TEST(SideFileCaseTwinTest, TwinsKeepTheirOwnFilesAndDirectories) {
  SideFileDrive s;
  for (const char* group : {"Parks", "parks"}) {
    EnsureGroupSideDirectory(s.fs(), kConfigDir, kTwinList, group);
    for (const char* bookmark : {"A", "a"}) {
      writeFile(s.fs(), LayerVisibilityPath(s.fs(), kConfigDir, kTwinList, group, bookmark),
                std::string(group) + "/" + bookmark);
    }
  }
  for (const char* group : {"Parks", "parks"}) {
    for (const char* bookmark : {"A", "a"}) {
      EXPECT_EQ(readFile(s.fs(),
                         LayerVisibilityFileToRead(s.fs(), kConfigDir, kTwinList, group, bookmark)),
                std::string(group) + "/" + bookmark);
    }
  }
  EXPECT_NE(GroupSideDirectory(s.fs(), kConfigDir, kTwinList, "Parks"),
            GroupSideDirectory(s.fs(), kConfigDir, kTwinList, "parks"));
}

// An area an earlier version wrote: "Parks" and its bookmark "A" without markers.
struct EarlierArea : SideFileDrive {
  EarlierArea() {
    fs().createDirectory(kConfigDir);
    fs().createDirectory(kLists);
    fs().createDirectory(area);
    fs().createDirectory(area + "Parks");
    writeFile(fs(), area + "Parks/A", "earlier");
  }
  const std::string area = ListSideFileArea(kConfigDir, kTwinList);
};

TEST(SideFileCaseTwinTest, EarlierFilesOfANameWithoutATwinAreStillFound) {
  EarlierArea s;
  EXPECT_EQ(LayerVisibilityFileToRead(s.fs(), kConfigDir, kTwinList, "Parks", "A"),
            s.area + "Parks/A");
  EXPECT_EQ(LayerVisibilityPath(s.fs(), kConfigDir, kTwinList, "Parks", "A"), s.area + "Parks/A");
  EXPECT_EQ(GroupSideDirectory(s.fs(), kConfigDir, kTwinList, "Parks"), s.area + "Parks/");
  // The twins have none of their own.
  EXPECT_EQ(LayerVisibilityFileToRead(s.fs(), kConfigDir, kTwinList, "parks", "A"), "");
  EXPECT_EQ(LayerVisibilityFileToRead(s.fs(), kConfigDir, kTwinList, "Parks", "a"), "");
}

TEST(SideFileCaseTwinTest, EarlierFilesOfATwinSurviveTheOtherTwinsWrites) {
  EarlierArea s;
  EnsureGroupSideDirectory(s.fs(), kConfigDir, kTwinList, "parks");
  writeFile(s.fs(), LayerVisibilityPath(s.fs(), kConfigDir, kTwinList, "parks", "A"), "new");
  writeFile(s.fs(), LayerVisibilityPath(s.fs(), kConfigDir, kTwinList, "Parks", "a"), "lower");
  EXPECT_EQ(
      readFile(s.fs(), LayerVisibilityFileToRead(s.fs(), kConfigDir, kTwinList, "Parks", "A")),
      "earlier");
  EXPECT_EQ(
      readFile(s.fs(), LayerVisibilityFileToRead(s.fs(), kConfigDir, kTwinList, "parks", "A")),
      "new");
  EXPECT_EQ(
      readFile(s.fs(), LayerVisibilityFileToRead(s.fs(), kConfigDir, kTwinList, "Parks", "a")),
      "lower");
  // Removing the twin's directory leaves the other's.
  const std::string twin = GroupSideDirectory(s.fs(), kConfigDir, kTwinList, "parks");
  s.fs().deleteFile(twin + "^A");
  s.fs().removeDirectory(twin);
  EXPECT_EQ(
      readFile(s.fs(), LayerVisibilityFileToRead(s.fs(), kConfigDir, kTwinList, "Parks", "A")),
      "earlier");
}

}  // namespace
}  // namespace cw::store
