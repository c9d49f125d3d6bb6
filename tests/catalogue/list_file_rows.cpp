// Bad list files: as the window loads them at start-up, as a group is selected, as a bookmark is
// zoomed to, and as a file is chosen in the open-list window.

#include <string>
#include <vector>

#include "catalogue/catalogue.h"
#include "platform/file_system.h"
#include "store/side_files.h"

namespace cw::catalogue {
namespace {

const std::string kGroupTail =
    ",\"ud2s88oew\",\"ud2s88oew\",\"ud2s88oew\",\"ud2s88oew\",\"ud2s88oew\",\"ud2s88oew\","
    "\"ud2s88oew\",\"ud2s88oew\",\"ud2s88oew\"";

// Every CR LF of `text` replaced by `end`.
std::string withLineEnds(std::string text, const std::string& end) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text.compare(i, 2, "\r\n") == 0) {
      out += end;
      ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}

std::function<void(Scene&)> listHolds(std::string bytes) {
  return [bytes](Scene& s) { s.write(kList, bytes); };
}

std::function<void(Scene&)> showsGroups(Names groups) {
  return [groups](Scene& s) { EXPECT_EQ(s.groups(), groups); };
}

// The group Parks lists Riverside and zooming to it shows `extent`.
std::function<void(Scene&)> zoomsTo(host::Envelope extent) {
  return [extent](Scene& s) {
    ASSERT_TRUE(s.selectGroup("Parks"));
    ASSERT_EQ(s.bookmarks(), Names{"Riverside"});
    ASSERT_TRUE(s.selectBookmark("Riverside"));
    s.zoom();
    EXPECT_EQ(s.focusExtent(), extent);
    EXPECT_EQ(s.t.toolkit.messages, Names{});
  };
}

const std::string kTenMegabytes(10 * 1024 * 1024, 'x');

std::vector<Row> startUpRows() {
  const std::string good = goodList();
  return {
      {.name = "CutShortLastRecord",
       .input = "the last record holds four fields",
       .entry = Entry::kStartUpList,
       .arrange = listHolds(header() + group("Parks") + "\"Roads\",\"x\",1,2\r\n"),
       .messages = {report(62, "Form_Load frmMain Line : 6")},
       .alsoCheck = showsGroups({})},
      {.name = "UnterminatedQuoteAtTheEnd",
       .input = "the last field's quote is never closed",
       .entry = Entry::kStartUpList,
       .arrange = listHolds(header() + group("Roads") + "\"Parks\",\"ud2s88oew\r\n"),
       .messages = {report(62, "Form_Load frmMain Line : 6")},
       .alsoCheck = showsGroups({})},
      {.name = "UnterminatedQuoteMidList",
       .input = "a group name's closing quote is missing, so the quote runs into the next field",
       .entry = Entry::kStartUpList,
       .arrange = listHolds(header() + "\"Parks" + kGroupTail + "\r\n" + group("Roads")),
       .messages = {report(62, "Form_Load frmMain Line : 6")},
       .alsoCheck = showsGroups({})},
      {.name = "LoneLfLineEnds",
       .input = "every line ends in LF alone",
       .entry = Entry::kStartUpList,
       .arrange = listHolds(withLineEnds(good, "\n")),
       .alsoCheck = zoomsTo({10, 20, 30, 40})},
      {.name = "LoneCrLineEnds",
       .input = "every line ends in CR alone",
       .entry = Entry::kStartUpList,
       .arrange = listHolds(withLineEnds(good, "\r")),
       .alsoCheck = zoomsTo({10, 20, 30, 40})},
      {.name = "MixedLineEndsAndBlankLines",
       .input = "LF, CR and CR LF mixed, with blank lines between and after the records",
       .entry = Entry::kStartUpList,
       .arrange = listHolds(header() + "\r\n  \n" + withLineEnds(group("Parks"), "\n") +
                            withLineEnds(bookmark("Parks", "Riverside", "10,20,30,40"), "\r") +
                            group("Roads") + "\r\n\r\n"),
       .alsoCheck = zoomsTo({10, 20, 30, 40})},
      {.name = "NulByteInAQuotedName",
       .input = "a group name holding a NUL byte",
       .entry = Entry::kStartUpList,
       .arrange = listHolds(header() + group(std::string("Pa\0rks", 6))),
       .alsoCheck =
           [](Scene& s) {
             EXPECT_EQ(s.groups(), Names{std::string("Pa\0rks", 6)});
             ASSERT_TRUE(s.selectGroup(std::string("Pa\0rks", 6)));
             EXPECT_EQ(s.bookmarks(), Names{});
           }},
      {.name = "FileOfNulBytes",
       .input = "the list holds 64 NUL bytes",
       .entry = Entry::kStartUpList,
       .arrange = listHolds(std::string(64, '\0')),
       .messages = {report(62, "Form_Load frmMain Line : 6")},
       .alsoCheck = showsGroups({})},
      {.name = "ByteOrderMark",
       .input = "the list starts with a UTF-8 byte-order mark",
       .entry = Entry::kStartUpList,
       .arrange = listHolds("\xEF\xBB\xBF" + good),
       .alsoCheck =
           [](Scene& s) {
             EXPECT_EQ(s.groups(), (Names{"Parks", "Roads"}));
             zoomsTo({10, 20, 30, 40})(s);
           }},
      {.name = "TenMegabyteQuotedName",
       .input = "a group name of 10 MB",
       .entry = Entry::kStartUpList,
       .arrange = listHolds(header() + group(kTenMegabytes) + group("Roads")),
       .alsoCheck = showsGroups({"Roads", kTenMegabytes})},
      {.name = "TenMegabyteUnquotedField",
       .input = "a coordinate field of 10 MB of letters",
       .entry = Entry::kStartUpList,
       .arrange = listHolds(header() + group("Parks") +
                            bookmark("Parks", "Riverside", kTenMegabytes + ",2,3,4")),
       .alsoCheck = showsGroups({"Parks"})},
      {.name = "TenMegabyteNumber",
       .input = "a coordinate of 10 MB of digits",
       .entry = Entry::kStartUpList,
       .arrange =
           listHolds(header() + group("Parks") +
                     bookmark("Parks", "Riverside", std::string(10 * 1024 * 1024, '7') + ",2,3,4")),
       .messages = {report(6, "Form_Load frmMain Line : 6")},
       .alsoCheck = showsGroups({})},
      {.name = "NumberTooLarge",
       .input = "a coordinate written 1e999",
       .entry = Entry::kStartUpList,
       .arrange =
           listHolds(header() + group("Parks") + bookmark("Parks", "Riverside", "1e999,20,30,40")),
       .messages = {report(6, "Form_Load frmMain Line : 6")},
       .alsoCheck = showsGroups({})},
      {.name = "NegativeZeroAndTinyNumbers",
       .input = "coordinates written -0, 1e-999, -0.0 and 0E5",
       .entry = Entry::kStartUpList,
       .arrange = listHolds(header() + group("Parks") +
                            bookmark("Parks", "Riverside", "-0,1e-999,-0.0,0E5")),
       .alsoCheck = zoomsTo({0, 0, 0, 0})},
      {.name = "StrayTextAfterTheLastRecord",
       .input = "a word after the last record",
       .entry = Entry::kStartUpList,
       .arrange = listHolds(good + "trailing words\r\n"),
       .messages = {report(62, "Form_Load frmMain Line : 6")},
       .alsoCheck = showsGroups({})},
      {.name = "TextAfterAClosingQuote",
       .input = "a quoted group name followed by more text before its comma",
       .entry = Entry::kStartUpList,
       .arrange = listHolds(header() + "\"Par\"ks" + kGroupTail + "\r\n"),
       .alsoCheck = showsGroups({"Par"})},
      {.name = "LineBreakInsideQuotes",
       .input = "a quoted group name holding CR LF",
       .entry = Entry::kStartUpList,
       .arrange = listHolds(header() + group("North\r\nPark") +
                            bookmark("North\r\nPark", "Gate", "1,1,2,2")),
       .alsoCheck =
           [](Scene& s) {
             EXPECT_EQ(s.groups(), Names{"North\r\nPark"});
             ASSERT_TRUE(s.selectGroup("North\r\nPark"));
             EXPECT_EQ(s.bookmarks(), Names{"Gate"});
           }},
      // The name cannot be written back: adding to its group is refused whole, never half
      // written.
      {.name = "QuoteInsideAnUnquotedName",
       .input = "an unquoted group name holding a double quote, and a bookmark added to it",
       .entry = Entry::kStartUpList,
       .arrange = listHolds(header() + "Pa\"rks" + kGroupTail + "\r\n"),
       .act =
           [](Scene& s) {
             ASSERT_TRUE(s.selectGroup("Pa\"rks"));
             s.addBookmark("Gate");
           },
       .messages = {report(5, "AddBookmark Fennigate_Bookmark_Tool_Module Line : 6")},
       .alsoCheck = [](Scene& s) { EXPECT_EQ(s.bookmarks(), Names{}); }},
      {.name = "ListIsADirectory",
       .input = "the list named at start-up is a directory",
       .entry = Entry::kStartUpList,
       .arrange =
           [](Scene& s) {
             s.t.drives.makeDirectory("C:\\lists\\folder.bmk");
             s.pointConfigAt("C:\\lists\\folder.bmk");
           },
       .messages = {report(75, "Form_Load frmMain Line : 3")},
       .alsoCheck =
           [](Scene& s) {
             EXPECT_TRUE(s.t.module.services.fs.directoryExists("C:\\lists\\folder.bmk"));
             EXPECT_EQ(s.groups(), Names{});
           },
       .list = "C:\\lists\\folder.bmk"},
      {.name = "ReadOnlyList",
       .input = "the list at start-up is read-only",
       .entry = Entry::kStartUpList,
       .arrange =
           [](Scene& s) { s.t.module.services.fs.setAttributes(kList, platform::kReadOnly); },
       .messages = {report(75, "Form_Load frmMain Line : 3")},
       .alsoCheck = showsGroups({})},
  };
}

INSTANTIATE_TEST_SUITE_P(StartUpList, BadInput, ::testing::ValuesIn(startUpRows()), RowName());

// The window started on the good list; the list then changes behind its back.
std::vector<Row> selectionRows() {
  auto selectParks = [](Scene& s) { ASSERT_TRUE(s.selectGroup("Parks")); };
  auto listsNothing = [](Scene& s) {
    EXPECT_EQ(s.bookmarks(), Names{});
    EXPECT_EQ(s.t.module.session.SelectedGroup, "Parks");
  };
  // Eleven records: room for 17 table entries, and nine pairs need 18.
  std::string nineWithdrawn = header() + group("Parks");
  for (int i = 0; i < 9; ++i) nineWithdrawn += testing::removeBookmark("Parks", std::to_string(i));
  return {
      {.name = "CutShortLastRecord",
       .input = "the list lost the end of its last record",
       .entry = Entry::kSelection,
       .tamper = listHolds(header() + group("Parks") + "\"Parks\",\"Riverside\",10,20\r\n"),
       .act = selectParks,
       .messages = {report(62, "lstbxGroup_Click frmMain Line : 3")},
       .alsoCheck = listsNothing},
      {.name = "UnterminatedQuote",
       .input = "a bookmark name's quote is never closed",
       .entry = Entry::kSelection,
       .tamper = listHolds(header() + group("Parks") + "\"Parks\",\"Riverside,10,20,30,40,,,,\r\n"),
       .act = selectParks,
       .messages = {report(62, "lstbxGroup_Click frmMain Line : 3")},
       .alsoCheck = listsNothing},
      {.name = "ListDeleted",
       .input = "the list file is gone",
       .entry = Entry::kSelection,
       .tamper = [](Scene& s) { s.t.module.services.fs.deleteFile(kList); },
       .act = selectParks,
       .messages = {report(53, "lstbxGroup_Click frmMain Line : 3")},
       .alsoCheck = [](Scene& s) { EXPECT_FALSE(s.t.module.services.fs.fileExists(kList)); }},
      {.name = "ListReplacedByADirectory",
       .input = "the list file became a directory",
       .entry = Entry::kSelection,
       .tamper =
           [](Scene& s) {
             s.t.module.services.fs.deleteFile(kList);
             s.t.drives.makeDirectory(kList);
           },
       .act = selectParks,
       .messages = {report(75, "lstbxGroup_Click frmMain Line : 3")},
       .alsoCheck = [](Scene& s) { EXPECT_TRUE(s.t.module.services.fs.directoryExists(kList)); }},
      {.name = "MoreWithdrawnBookmarksThanTheTableHolds",
       .input = "nine bookmark removal records and little else",
       .entry = Entry::kSelection,
       .tamper = listHolds(nineWithdrawn),
       .act = selectParks,
       .messages = {report(9, "lstbxGroup_Click frmMain Line : 4")},
       .alsoCheck = listsNothing},
      {.name = "NumberTooLarge",
       .input = "a coordinate written 1e999",
       .entry = Entry::kSelection,
       .tamper =
           listHolds(header() + group("Parks") + bookmark("Parks", "Riverside", "10,1e999,30,40")),
       .act = selectParks,
       .messages = {report(6, "lstbxGroup_Click frmMain Line : 3")},
       .alsoCheck = listsNothing},
  };
}

INSTANTIATE_TEST_SUITE_P(Selection, BadInput, ::testing::ValuesIn(selectionRows()), RowName());

// The window started on the good list with Riverside selected; the list then changes.
std::vector<Row> zoomRows() {
  auto chooseRiverside = [](std::function<void(Scene&)> change) {
    return [change](Scene& s) {
      ASSERT_TRUE(s.selectGroup("Parks"));
      ASSERT_TRUE(s.selectBookmark("Riverside"));
      change(s);
    };
  };
  auto riversideAt = [&](std::string extent) {
    return chooseRiverside(listHolds(header() + group("Parks") +
                                     bookmark("Parks", "Riverside", extent) + group("Roads")));
  };
  auto keepsTheView = [](Scene& s) {
    EXPECT_EQ(s.focusExtent(), (host::Envelope{0, 0, 100, 100}));
  };
  auto shows = [](host::Envelope extent) {
    return [extent](Scene& s) { EXPECT_EQ(s.focusExtent(), extent); };
  };
  auto zoom = [](Scene& s) { s.zoom(); };
  return {
      {.name = "CoordinateIsText",
       .input = "a coordinate written as a word",
       .entry = Entry::kZoom,
       .tamper = riversideAt("10,abc,30,40"),
       .act = zoom,
       .messages = {report(13, "btnZoom_Click frmMain Line : 6")},
       .alsoCheck = keepsTheView},
      {.name = "CoordinateHoldsANulByte",
       .input = "a coordinate with a NUL byte after its digits",
       .entry = Entry::kZoom,
       .tamper = riversideAt(std::string("10,20\0", 6) + ",30,40"),
       .act = zoom,
       .messages = {report(13, "btnZoom_Click frmMain Line : 6")},
       .alsoCheck = keepsTheView},
      {.name = "NumberTooLarge",
       .input = "a coordinate written -1e999",
       .entry = Entry::kZoom,
       .tamper = riversideAt("10,20,-1e999,40"),
       .act = zoom,
       .messages = {report(6, "btnZoom_Click frmMain Line : 6")},
       .alsoCheck = keepsTheView},
      {.name = "NegativeZero",
       .input = "coordinates written -0",
       .entry = Entry::kZoom,
       .tamper = riversideAt("-0,-0,30,40"),
       .act = zoom,
       .alsoCheck = shows({0, 0, 30, 40})},
      {.name = "EmptyCoordinates",
       .input = "the four coordinates are empty fields",
       .entry = Entry::kZoom,
       .tamper = riversideAt(",,,"),
       .act = zoom,
       .alsoCheck = shows({0, 0, 0, 0})},
      {.name = "BookmarkGoneFromTheList",
       .input = "the chosen bookmark's record is no longer in the list",
       .entry = Entry::kZoom,
       .tamper = chooseRiverside(listHolds(header() + group("Parks") + group("Roads"))),
       .act = zoom,
       .messages = {report(62, "btnZoom_Click frmMain Line : 4")},
       .alsoCheck = keepsTheView},
      {.name = "ListDeleted",
       .input = "the list file is gone",
       .entry = Entry::kZoom,
       .tamper = chooseRiverside([](Scene& s) { s.t.module.services.fs.deleteFile(kList); }),
       .act = zoom,
       .messages = {report(53, "btnZoom_Click frmMain Line : 3")},
       .alsoCheck = keepsTheView},
      {.name = "DoubleClickOnAnEmptySelection",
       .input = "a double-click while no bookmark is selected",
       .entry = Entry::kZoom,
       .tamper = [](Scene& s) { ASSERT_TRUE(s.selectGroup("Parks")); },
       .act = [](Scene& s) { s.window().fire("lstbxExtentName", ui::Event::kDblClick); },
       .messages = {report(62, "lstbxExtentName_DblClick frmMain Line : 4")},
       .alsoCheck = keepsTheView},
      {.name = "LayerVisibilityFileOfNulBytes",
       .input = "the bookmark's layer-visibility file holds NUL bytes",
       .entry = Entry::kZoom,
       .tamper = chooseRiverside([](Scene& s) {
         s.rememberVisibilities(true);
         s.write(
             store::LayerVisibilityPath(s.t.module.paths.ConfigDir, kList, "Parks", "Riverside"),
             std::string(40, '\0'));
       }),
       .act = zoom,
       .alsoCheck = shows({10, 20, 30, 40})},
      {.name = "LayerVisibilityFileCutShort",
       .input = "the bookmark's layer-visibility file ends inside a record",
       .entry = Entry::kZoom,
       .tamper = chooseRiverside([](Scene& s) {
         s.rememberVisibilities(true);
         s.write(
             store::LayerVisibilityPath(s.t.module.paths.ConfigDir, kList, "Parks", "Riverside"),
             "\"Riverside\",\"Main Map\",\"Roads\",\"False\"\r\n\"Riverside\",\"Ma");
       }),
       .act = zoom,
       .alsoCheck =
           [](Scene& s) {
             EXPECT_EQ(s.focusExtent(), (host::Envelope{10, 20, 30, 40}));
             EXPECT_FALSE(s.t.host.document().dataFrame(0).layer(0).visible());
           }},
  };
}

INSTANTIATE_TEST_SUITE_P(Zoom, BadInput, ::testing::ValuesIn(zoomRows()), RowName());

// Files chosen in the open-list window; the row's list is the chosen file.
std::vector<Row> openWindowRows() {
  const std::string chosen = kListDir + "\\chosen.bmk";
  auto choose = [chosen](std::string bytes) {
    return [chosen, bytes](Scene& s) { s.write(chosen, bytes); };
  };
  auto open = [](Scene& s) { s.openList("chosen.bmk"); };
  auto staysOnTheStartingList = [](Scene& s) {
    EXPECT_EQ(s.t.module.session.ActiveListPath, kList);
    EXPECT_EQ(s.read(TestApp::programDir() + "config"), "\"" + kList + "\"\r\n");
  };
  const std::string kInvalid = "Please choose a valid bookmark file, .bmk";
  return {
      // It passes the validity test; loading it fails after it became the active list, and
      // the file naming the list to start with is not rewritten.
      {.name = "CutShortLastRecord",
       .input = "the chosen list's last record holds two fields",
       .entry = Entry::kOpenWindow,
       .tamper = choose(header() + group("Parks") + "\"Roads\",\"x\"\r\n"),
       .act = open,
       .messages = {report(62, "btnOpen_Click frmLoad Line : 63")},
       .alsoCheck =
           [chosen](Scene& s) {
             EXPECT_EQ(s.t.module.session.ActiveListPath, chosen);
             EXPECT_EQ(s.groups(), Names{});
             EXPECT_EQ(s.read(TestApp::programDir() + "config"), "\"" + kList + "\"\r\n");
           },
       .list = chosen},
      {.name = "UnterminatedQuote",
       .input = "the chosen list's last quote is never closed",
       .entry = Entry::kOpenWindow,
       .tamper = choose(header() + "\"Parks"),
       .act = open,
       .messages = {report(62, "btnOpen_Click frmLoad Line : 3")},
       .alsoCheck = staysOnTheStartingList,
       .list = chosen},
      {.name = "FileOfNulBytes",
       .input = "the chosen file holds NUL bytes only",
       .entry = Entry::kOpenWindow,
       .tamper = choose(std::string(100, '\0')),
       .act = open,
       .messages = {kInvalid},
       .alsoCheck = staysOnTheStartingList,
       .list = chosen},
      {.name = "ByteOrderMark",
       .input = "the chosen list starts with a UTF-8 byte-order mark",
       .entry = Entry::kOpenWindow,
       .tamper = choose("\xEF\xBB\xBF" + header() + group("Lakes")),
       .act = open,
       .alsoCheck =
           [chosen](Scene& s) {
             EXPECT_EQ(s.t.module.session.ActiveListPath, chosen);
             EXPECT_EQ(s.groups(), Names{"Lakes"});
           },
       .list = chosen},
      {.name = "NumberTooLarge",
       .input = "the chosen list holds a coordinate written 1e999",
       .entry = Entry::kOpenWindow,
       .tamper = choose(header() + bookmark("Lakes", "Deep", "1,2,3,1e999")),
       .act = open,
       .messages = {report(6, "btnOpen_Click frmLoad Line : 3")},
       .alsoCheck = staysOnTheStartingList,
       .list = chosen},
      {.name = "ReadOnlyList",
       .input = "the chosen list is read-only, and a group is added to it",
       .entry = Entry::kOpenWindow,
       .tamper =
           [chosen](Scene& s) {
             s.write(chosen, header() + group("Lakes"));
             s.t.module.services.fs.setAttributes(chosen, platform::kReadOnly);
           },
       .act =
           [](Scene& s) {
             s.openList("chosen.bmk");
             s.window().fire("cmdbtnAddGroup", ui::Event::kClick);
           },
       .messages = {"It seems you may not have write access to the current bookmark file: "
                    "\r\nC:\\lists\\chosen.bmk"},
       .alsoCheck = [](Scene& s) { EXPECT_EQ(s.groups(), Names{"Lakes"}); },
       .list = chosen},
  };
}

INSTANTIATE_TEST_SUITE_P(OpenWindow, BadInput, ::testing::ValuesIn(openWindowRows()), RowName());

}  // namespace
}  // namespace cw::catalogue
