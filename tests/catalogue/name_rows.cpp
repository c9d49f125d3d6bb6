// Bad names: typed into the input boxes of the two Add buttons, and carried by the host
// document's own bookmarks into the import.

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "catalogue/catalogue.h"
#include "platform/file_system.h"
#include "store/side_files.h"

namespace cw::catalogue {
namespace {

// The characters a group or bookmark name may not hold, with a word for the row's name.
const std::vector<std::pair<std::string, std::string>> kForbidden = {
    {"\"", "Quote"},
    {"/", "Slash"},
    {"\\", "Backslash"},
    {":", "Colon"},
    {"|", "Bar"},
    {"<", "Less"},
    {">", "Greater"},
    {"*", "Star"},
    {"?", "QuestionMark"},
    {"\x01", "Code1"},
    {"\t", "Tab"},
    {"\x1F", "Code31"},
    {std::string(1, '\0'), "Nul"},
    {"\r\n", "LineBreak"},
};

const std::vector<std::string> kReservedDevices = {"con",    "PRN",  "Aux", "nul",
                                                   "clock$", "lpt1", "COM9"};
// Names that only look like devices or reserved values, with a word for the row's name.
const std::vector<std::pair<std::string, std::string>> kLookAlikes = {
    {"com0", "Com0"},          {"lpt10", "Lpt10"},           {"con.txt", "ConTxt"},
    {"console", "Console"},    {"ud2s88oew", "GroupFiller"}, {"ao74idqp3", "RemovalMarker"},
    {"North, South", "Comma"}, {"100%", "Percent"},
};

const std::string k300(300, 'n');
const std::string kTenMegabytes(10 * 1024 * 1024, 'g');
constexpr const char* kNoSuchName = "";

std::string rowWord(std::string name) {
  std::string word;
  bool upper = true;
  for (char c : name) {
    bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    if (!letter) {
      upper = true;
      continue;
    }
    word += (upper && c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
    upper = false;
  }
  return word;
}

// The group was added, is listed and selected, and has its side directory.
std::function<void(Scene&)> groupAdded(std::string name) {
  return [name](Scene& s) {
    EXPECT_EQ(s.window().lstbxGroup().selectedText(), name);
    EXPECT_TRUE(s.t.module.services.fs.directoryExists(
        store::GroupSideDirectory(s.t.module.paths.ConfigDir, kList, name)));
  };
}

Row refusedGroup(std::string name, std::string input, std::string answer) {
  return {.name = std::move(name),
          .input = std::move(input),
          .entry = Entry::kAddGroup,
          .act = [answer](Scene& s) { s.addGroup(answer); },
          .messages = {"Invalid group name"},
          .alsoCheck =
              [](Scene& s) {
                EXPECT_EQ(s.groups(), (Names{"Parks", "Roads"}));
              }};
}

// Bookmarks are added to Parks with "Remember layer visibilities" ticked.
std::function<void(Scene&)> addToParks(std::string answer) {
  return [answer](Scene& s) {
    ASSERT_TRUE(s.selectGroup("Parks"));
    s.rememberVisibilities(true);
    s.addBookmark(answer);
  };
}

Row refusedBookmark(std::string name, std::string input, std::string answer) {
  return {.name = std::move(name),
          .input = std::move(input),
          .entry = Entry::kAddBookmark,
          .act = addToParks(answer),
          .messages = {"Invalid bookmark name"},
          .alsoCheck = [](Scene& s) { EXPECT_EQ(s.bookmarks(), Names{"Riverside"}); }};
}

// The bookmark was added to Parks, listed, and its layer visibilities recorded.
std::function<void(Scene&)> bookmarkAdded(std::string name) {
  return [name](Scene& s) {
    Names expected{"Riverside", name};
    std::sort(expected.begin(), expected.end(), ui::lessIgnoringCase);
    EXPECT_EQ(s.bookmarks(), expected);
    EXPECT_EQ(s.read(store::LayerVisibilityPath(s.t.module.paths.ConfigDir, kList, "Parks", name)),
              "\"" + name + "\",\"Main Map\",\"Roads\",\"True\"\r\n");
  };
}

std::vector<Row> addGroupRows() {
  std::vector<Row> rows;
  for (const auto& [character, word] : kForbidden) {
    rows.push_back(refusedGroup(word, "a group name holding " + word, "Pa" + character + "rks"));
  }
  for (const auto& device : kReservedDevices) {
    rows.push_back(refusedGroup("Device" + rowWord(device), "the group name " + device, device));
  }
  for (const auto& lookAlike : kLookAlikes) {
    const std::string& name = lookAlike.first;
    const std::string& word = lookAlike.second;
    rows.push_back({.name = word,
                    .input = "the group name " + name,
                    .entry = Entry::kAddGroup,
                    .act = [name](Scene& s) { s.addGroup(name); },
                    .appended = group(name),
                    .alsoCheck = groupAdded(name)});
  }
  rows.push_back(refusedGroup("TrailingFullStop", "a group name ending in a full stop", "Parks."));
  rows.push_back(refusedGroup("LetterOutsideTheCodePage", "a group name holding a check mark",
                              "Park\xE2\x9C\x93"));
  rows.push_back({.name = "Name300Characters",
                  .input = "a group name of 300 characters",
                  .entry = Entry::kAddGroup,
                  .act = [](Scene& s) { s.addGroup(k300); },
                  .appended = group(k300),
                  .alsoCheck = groupAdded(k300)});
  rows.push_back(
      {.name = "NameOfTenMegabytes",
       .input = "a group name of 10 MB",
       .entry = Entry::kAddGroup,
       .act = [](Scene& s) { s.addGroup(kTenMegabytes); },
       .appended = group(kTenMegabytes),
       .alsoCheck =
           [](Scene& s) { EXPECT_EQ(s.window().lstbxGroup().selectedText(), kTenMegabytes); }});
  rows.push_back({.name = "FormatTag",
                  .input = "the group name Bookmarks_v2.0",
                  .entry = Entry::kAddGroup,
                  .act = [](Scene& s) { s.addGroup("Bookmarks_v2.0"); },
                  .messages = {"Duplicate names are not allowed."}});
  return rows;
}

INSTANTIATE_TEST_SUITE_P(AddGroup, BadInput, ::testing::ValuesIn(addGroupRows()), RowName());

std::vector<Row> addBookmarkRows() {
  std::vector<Row> rows;
  for (const auto& [character, word] : kForbidden) {
    rows.push_back(
        refusedBookmark(word, "a bookmark name holding " + word, "Gate" + character + "way"));
  }
  for (const auto& device : kReservedDevices) {
    rows.push_back(
        refusedBookmark("Device" + rowWord(device), "the bookmark name " + device, device));
  }
  for (const auto& name : {std::string("com0"), std::string("con.txt"), k300}) {
    rows.push_back({.name = name == k300 ? "Name300Characters" : rowWord(name),
                    .input = "the bookmark name " + (name == k300 ? "of 300 characters" : name),
                    .entry = Entry::kAddBookmark,
                    .act = addToParks(name),
                    .appended = bookmark("Parks", name, "0,0,100,100"),
                    .alsoCheck = bookmarkAdded(name)});
  }
  const std::string other300 = k300.substr(0, 299) + "m";
  rows.push_back(
      {.name = "TwoLongNamesDifferingInTheirLastLetter",
       .input = "two bookmark names of 300 characters that differ only at the end",
       .entry = Entry::kAddBookmark,
       .act =
           [other300](Scene& s) {
             addToParks(k300)(s);
             s.addBookmark(other300);
           },
       .appended =
           bookmark("Parks", k300, "0,0,100,100") + bookmark("Parks", other300, "0,0,100,100"),
       .alsoCheck =
           [other300](Scene& s) {
             std::string first =
                 store::LayerVisibilityPath(s.t.module.paths.ConfigDir, kList, "Parks", k300);
             std::string second =
                 store::LayerVisibilityPath(s.t.module.paths.ConfigDir, kList, "Parks", other300);
             EXPECT_NE(first, second);
             EXPECT_EQ(s.read(second), "\"" + other300 + "\",\"Main Map\",\"Roads\",\"True\"\r\n");
             EXPECT_EQ(s.read(first), "\"" + k300 + "\",\"Main Map\",\"Roads\",\"True\"\r\n");
           }});
  rows.push_back({.name = "GroupFiller",
                  .input = "the bookmark name ud2s88oew, which the group record already holds",
                  .entry = Entry::kAddBookmark,
                  .act = addToParks("ud2s88oew"),
                  .messages = {"Duplicate names are not allowed."}});
  rows.push_back({.name = "RemovalMarker",
                  .input = "the bookmark name ao74idqp3, which would withdraw the whole group",
                  .entry = Entry::kAddBookmark,
                  .act = addToParks("ao74idqp3"),
                  .messages = {"Invalid bookmark name"},
                  .alsoCheck = [](Scene& s) {
                    EXPECT_EQ(s.bookmarks(), Names{"Riverside"});
                    EXPECT_EQ(s.groups(), (Names{"Parks", "Roads"}));
                  }});
  rows.push_back({.name = "BlanksOnly",
                  .input = "a bookmark name of three blanks",
                  .entry = Entry::kAddBookmark,
                  .act = addToParks("   "),
                  .messages = {"Invalid bookmark name"}});
  return rows;
}

INSTANTIATE_TEST_SUITE_P(AddBookmark, BadInput, ::testing::ValuesIn(addBookmarkRows()), RowName());

// A document whose one data frame holds one host bookmark named `name` (JSON text).
std::string documentWithBookmark(const std::string& jsonName) {
  return R"({"dataFrames": [
      {"name": "Main Map", "extent": [0, 0, 100, 100],
       "layers": [{"name": "Roads", "kind": "feature", "visible": true}],
       "bookmarks": [{"name": )" +
         jsonName + R"(, "extent": [1, 2, 3, 4]}, {"name": "Plain", "extent": [5, 6, 7, 8]}]}]})";
}

// Imports with "Remember layer visibilities" ticked; `stored` is the name as the list holds it
// (ANSI bytes), `shown` as the bookmark list shows it; kNoSuchName when nothing is stored.
Row importRow(std::string name, std::string input, std::string jsonName, std::string stored,
              std::string shown, Names messages = {}) {
  std::string appended = group("ArcMapBookmarks");
  if (!stored.empty()) appended += bookmark("ArcMapBookmarks", stored, "1,2,3,4");
  appended += bookmark("ArcMapBookmarks", "Plain", "5,6,7,8");
  return {.name = std::move(name),
          .input = std::move(input),
          .entry = Entry::kImport,
          .act =
              [](Scene& s) {
                s.rememberVisibilities(true);
                s.import();
              },
          .messages = std::move(messages),
          .appended = appended,
          .alsoCheck =
              [shown](Scene& s) {
                Names expected{"Plain"};
                if (!shown.empty()) expected.push_back(shown);
                std::sort(expected.begin(), expected.end(), ui::lessIgnoringCase);
                EXPECT_EQ(s.bookmarks(), expected);
                EXPECT_EQ(s.window().lstbxGroup().selectedText(), "ArcMapBookmarks");
                EXPECT_EQ(s.focusExtent(), (host::Envelope{5, 6, 7, 8}));
                if (!shown.empty()) {
                  EXPECT_TRUE(s.t.module.services.fs.fileExists(store::LayerVisibilityPath(
                      s.t.module.paths.ConfigDir, kList, "ArcMapBookmarks", shown)));
                }
                // What the list holds reads back as the bookmark list showed it.
                s.window().fire("btnClose", ui::Event::kClick);
                s.t.command.OnClick();
                ASSERT_TRUE(s.selectGroup("ArcMapBookmarks"));
                EXPECT_EQ(s.bookmarks(), expected);
              },
          .document = documentWithBookmark(jsonName)};
}

std::vector<Row> importRows() {
  const std::string noWriteAccess =
      "It seems you may not have write access to the current bookmark file: \r\n" + kList;
  return {
      {.name = "IntoAReadOnlyList",
       .input = "two host bookmarks imported into a list that became read-only",
       .entry = Entry::kImport,
       .tamper = [](Scene& s) { s.t.module.services.fs.setAttributes(kList, platform::kReadOnly); },
       .act = [](Scene& s) { s.import(); },
       .messages = {noWriteAccess,
                    report(75, "AddBookmark Fennigate_Bookmark_Tool_Module Line : 6"),
                    report(75, "AddBookmark Fennigate_Bookmark_Tool_Module Line : 6")},
       .alsoCheck =
           [](Scene& s) {
             EXPECT_EQ(s.groups(), (Names{"Parks", "Roads"}));
             EXPECT_EQ(s.bookmarks(), Names{});
           },
       .document = documentWithBookmark(R"("Harbour")")},
      importRow("DoubleQuote", "a host bookmark name holding double quotes", R"("Say \"hi\"")",
                "Say \x94hi\x94", "Say \xE2\x80\x9Dhi\xE2\x80\x9D"),
      importRow("ForbiddenCharacters", "a host bookmark name holding / \\ : * ? < > |",
                R"("a/b\\c:d*e?f<g>h|i")", "a/b\\c:d*e?f<g>h|i", "a/b\\c:d*e?f<g>h|i"),
      importRow("ReservedDevice", "a host bookmark named CON", R"("CON")", "CON", "CON"),
      importRow("LineBreak", "a host bookmark name holding CR LF", R"("two\r\nlines")",
                "two\r\nlines", "two\r\nlines"),
      importRow("NulByte", "a host bookmark name holding a NUL byte", R"("nul\u0000byte")",
                std::string("nul\0byte", 8), std::string("nul\0byte", 8)),
      importRow("Name300Characters", "a host bookmark name of 300 characters", "\"" + k300 + "\"",
                k300, k300),
      importRow("DotDot", "a host bookmark named ..", R"("..")", "..", ".."),
      importRow("EmptyName", "a host bookmark with an empty name", R"("")", kNoSuchName,
                kNoSuchName),
      importRow("RemovalMarker", "a host bookmark named ao74idqp3", R"("ao74idqp3")", kNoSuchName,
                kNoSuchName, {"Invalid bookmark name"}),
      importRow("TrailingFullStop", "a host bookmark name ending in a full stop and a blank",
                R"("Pier. ")", "Pier. ", "Pier. "),
  };
}

INSTANTIATE_TEST_SUITE_P(Import, BadInput, ::testing::ValuesIn(importRows()), RowName());

}  // namespace
}  // namespace cw::catalogue
