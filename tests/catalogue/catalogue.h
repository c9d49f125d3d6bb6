#pragma once

// The catalogue of bad inputs: each row names one bad input, where it enters the system, and
// the outcome written down in the row. Every row runs the whole system through the bookmarks
// window with the headless toolkit and is then checked the same way:
//   - the message boxes shown, in order (an error report summarised as "report <number>
//     <module>"),
//   - the bytes of the row's list: unchanged, or exactly what the row says was appended,
//   - nothing written, created or deleted outside the program's folder and the row's list,
//   - the window still usable: reset to the default list, list a group, add a group and a
//     bookmark, zoom, with no message and no file left open.
//
// Rows live in the *_rows.cpp files of this folder, one table per way in.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "support/list_lines.h"
#include "support/test_app.h"
#include "ui/lists/frm_load_list.h"

namespace cw::catalogue {

using testing::bookmark;
using testing::group;
using testing::header;
using testing::TestApp;
using Names = std::vector<std::string>;

// The list the rows start on, outside the program's folder.
inline const std::string kList = "C:\\lists\\a.bmk";
inline const std::string kListDir = "C:\\lists";
// What kList holds when a row does not say otherwise.
inline std::string goodList() {
  return header() + group("Parks") + bookmark("Parks", "Riverside", "10,20,30,40") + group("Roads");
}
// The default list the usability probe resets to.
inline std::string defaultList() {
  return header() + group("Home") + bookmark("Home", "Door", "1,2,3,4");
}

// Where a bad input enters the system.
enum class Entry {
  kStartUpList,  // the list file as the window loads it
  kSettings,     // the program's own files as the command starts
  kSelection,    // the list as a group is selected
  kZoom,         // the list or its side files as a bookmark is zoomed to
  kOpenWindow,   // a list file chosen in the open-list window
  kAddGroup,     // a group name typed into the input box
  kAddBookmark,  // a bookmark name typed into the input box
  kImport,       // the host document's own bookmarks
  kSaveWindow,   // a file name typed into the save-list window
  kClearList,    // the active list as Clear List empties it
};

inline const char* entryName(Entry entry) {
  switch (entry) {
    case Entry::kStartUpList:
      return "list file at start-up";
    case Entry::kSettings:
      return "settings at start-up";
    case Entry::kSelection:
      return "selection";
    case Entry::kZoom:
      return "zoom";
    case Entry::kOpenWindow:
      return "open window";
    case Entry::kAddGroup:
      return "add group";
    case Entry::kAddBookmark:
      return "add bookmark";
    case Entry::kImport:
      return "import";
    case Entry::kSaveWindow:
      return "save window";
    case Entry::kClearList:
      return "clear list";
  }
  return "?";
}

// "report 62 Form_Load frmMain Line : 6": an error report as the rows write it.
inline std::string report(int number, std::string_view module) {
  return "report " + std::to_string(number) + " " + std::string(module);
}

// A message box as the rows write it: an error report summarised, any other text as shown.
inline std::string summary(const std::string& message) {
  if (!message.starts_with("We're sorry, an unexpected error has occurred.")) return message;
  auto field = [&](std::string_view key) {
    std::size_t from = message.find(key);
    if (from == std::string::npos) return std::string("?");
    from += key.size();
    return message.substr(from, message.find("\r\n", from) - from);
  };
  return "report " + field("\r\nERROR NUMBER: ") + " " + field("\r\nMODULE: ");
}

// Everything under the temporary drives: path -> bytes ("<dir>" for a directory).
inline std::map<std::string, std::string> snapshot(const std::filesystem::path& base) {
  std::map<std::string, std::string> entries;
  std::error_code ec;
  for (auto it = std::filesystem::recursive_directory_iterator(base, ec);
       !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
    const std::string key = it->path().lexically_relative(base).generic_string();
    if (it->is_directory(ec)) {
      entries[key] = "<dir>";
    } else {
      std::ifstream in(it->path(), std::ios::binary);
      entries[key] = {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
  }
  return entries;
}

// The system on temporary drives, started on kList, with the window's actions a row needs.
struct Scene {
  explicit Scene(std::string_view document) : t(document) {}

  void write(const std::string& path, std::string_view bytes) { t.drives.write(path, bytes); }
  // The bytes of a file; "" when it is missing or a directory.
  std::string read(const std::string& path) {
    std::error_code ec;
    if (std::filesystem::is_directory(t.drives.host(path), ec)) return "";
    return t.drives.read(path);
  }
  void pointConfigAt(const std::string& path) {
    write(TestApp::programDir() + "config", "\"" + path + "\"\r\n");
  }
  std::string programDir() const { return TestApp::programDir(); }

  // The command created and clicked, without the offer to import the document's bookmarks.
  void start() {
    t.command.OnCreate(&t.host);
    if (t.module.services.fs.fileExists(t.module.paths.InitMarkerFile()))
      t.module.services.fs.deleteFile(t.module.paths.InitMarkerFile());
    t.command.OnClick();
  }

  ui::FrmMain& window() { return t.window(); }
  bool selectGroup(const std::string& name) { return selectIn(window().lstbxGroup(), name); }
  bool selectBookmark(const std::string& name) {
    return selectIn(window().lstbxExtentName(), name);
  }
  void zoom() { window().fire("btnZoom", ui::Event::kClick); }
  void addGroup(std::optional<std::string> answer) {
    t.toolkit.queueInput(std::move(answer));
    window().fire("cmdbtnAddGroup", ui::Event::kClick);
  }
  void addBookmark(std::optional<std::string> answer) {
    t.toolkit.queueInput(std::move(answer));
    window().fire("cmdbtnAddCurExtent", ui::Event::kClick);
  }
  void import() { window().fire("btnImport", ui::Event::kClick); }
  void rememberVisibilities(bool on) { window().chkViz().setValue(on ? 1 : 0); }
  // Load List: chooses `name` in kListDir and presses Open; Cancel when the window stays.
  void openList(const std::string& name) {
    t.toolkit.modalDriver = [&](ui::Window& shown) {
      auto& w = dynamic_cast<ui::FrmLoadList&>(shown);
      w.Dir1().navigate(kListDir);
      for (int i = 0; i < w.File1().entryCount(); ++i) {
        if (w.File1().entryText(i) == name) w.File1().select(i);
      }
      w.fire("btnOpen", ui::Event::kClick);
      if (w.isVisible()) w.fire("btnCancel", ui::Event::kClick);
    };
    window().fire("btnLoadList", ui::Event::kClick);
    t.toolkit.modalDriver = nullptr;
  }
  host::Envelope focusExtent() { return t.host.document().focusMap().extent(); }
  Names groups() { return window().lstbxGroup().items(); }
  Names bookmarks() { return window().lstbxExtentName().items(); }

  TestApp t;

 private:
  static bool selectIn(ui::ListBox& box, const std::string& name) {
    for (int i = 0; i < box.count(); ++i) {
      if (box.item(i) == name) {
        box.select(i);
        return true;
      }
    }
    return false;
  }
};

struct Row {
  std::string name{};   // the test's name: letters and digits only
  std::string input{};  // the bad input, in words
  Entry entry = Entry::kStartUpList;
  // Files as they stand before the command is created (kList and the default list are written
  // before this runs: goodList() and defaultList()).
  std::function<void(Scene&)> arrange{};
  // Changes behind the window's back after it started (another program edits the list).
  std::function<void(Scene&)> tamper{};
  // What the user does through the window.
  std::function<void(Scene&)> act{};
  // The expected outcome: the message boxes, in order.
  Names messages{};
  // What the row's list gains from the act (its bytes before the act followed by these); ""
  // means the list is unchanged.
  std::string appended{};
  // Further expectations of the row (list boxes, extent, side files), run after the act.
  std::function<void(Scene&)> alsoCheck{};
  std::string document = std::string(TestApp::kOneMapDocument);
  std::string list = kList;  // the list file the row may change
};

inline std::ostream& operator<<(std::ostream& out, const Row& row) {
  return out << row.name << " [" << entryName(row.entry) << "] " << row.input;
}

// Nothing outside the program's folder and the list was written, made or deleted between the
// two snapshots.
inline void expectWritesOnlyInside(Scene& s, const std::map<std::string, std::string>& before,
                                   const std::map<std::string, std::string>& after,
                                   const std::string& listPath) {
  const auto base = s.t.drives.base();
  const std::string programDir =
      s.t.drives.host(TestApp::programDir()).lexically_relative(base).generic_string();
  const std::string list = s.t.drives.host(listPath).lexically_relative(base).generic_string();
  auto allowed = [&](const std::string& path) {
    return path == list || path.starts_with(programDir) ||
           programDir.starts_with(path + "/");  // the folders above the program's folder
  };
  for (const auto& [path, bytes] : after) {
    auto old = before.find(path);
    // A list's lock file appears beside it, empty, whichever list a command changed.
    const bool lockMade = old == before.end() && path.ends_with(".lock") && bytes.empty();
    if ((old == before.end() || old->second != bytes) && !lockMade) {
      EXPECT_TRUE(allowed(path)) << "written outside: " << path;
    }
  }
  for (const auto& [path, bytes] : before) {
    if (!after.count(path)) {
      EXPECT_TRUE(allowed(path)) << "deleted outside: " << path;
    }
  }
}

// Runs one row and checks it.
inline void runRow(const Row& row) {
  Scene s(row.document);
  s.t.drives.makeDirectory(kListDir);
  s.write(kList, goodList());
  s.write(TestApp::programDir() + "bookmarks_default.bmk", defaultList());
  s.pointConfigAt(kList);
  if (row.arrange) row.arrange(s);

  auto before = snapshot(s.t.drives.base());
  const bool listedAtStart = row.entry == Entry::kStartUpList || row.entry == Entry::kSettings;
  std::string listBefore = s.read(row.list);
  s.start();
  ASSERT_TRUE(s.t.module.mainWindow && s.window().isLoaded()) << "the window did not load";
  if (!listedAtStart) {
    ASSERT_EQ(s.t.toolkit.messages, Names{}) << "the start-up of a good list showed messages";
    expectWritesOnlyInside(s, before, snapshot(s.t.drives.base()), row.list);
    if (row.tamper) row.tamper(s);
    listBefore = s.read(row.list);
    before = snapshot(s.t.drives.base());  // the row's own changes are no writes of the system
  }
  if (row.act) row.act(s);

  // The outcome.
  Names shown;
  for (const auto& message : s.t.toolkit.messages) shown.push_back(summary(message));
  EXPECT_EQ(shown, row.messages);
  EXPECT_EQ(s.read(row.list), listBefore + row.appended) << "the list's bytes";
  EXPECT_EQ(s.t.toolkit.pointer, platform::MousePointer::kDefault);
  EXPECT_EQ(s.t.toolkit.unusedAnswers(), 0u);
  if (row.alsoCheck) row.alsoCheck(s);

  // The window stays usable: the default list can be listed, extended and zoomed to.
  s.t.toolkit.messages.clear();
  s.t.toolkit.queueAnswer(platform::MessageResult::kYes);
  s.window().fire("btnReset", ui::Event::kClick);
  s.t.toolkit.messages.clear();  // the question
  EXPECT_EQ(s.groups(), Names{"Home"});
  EXPECT_TRUE(s.selectGroup("Home"));
  EXPECT_EQ(s.bookmarks(), Names{"Door"});
  EXPECT_TRUE(s.selectBookmark("Door"));
  s.zoom();
  EXPECT_EQ(s.focusExtent(), (host::Envelope{1, 2, 3, 4}));
  s.addGroup("Probe");
  s.addBookmark("Mark");
  EXPECT_EQ(s.groups(), (Names{"Home", "Probe"}));
  EXPECT_EQ(s.bookmarks(), Names{"Mark"});
  EXPECT_EQ(s.t.toolkit.messages, Names{}) << "the window is no longer usable";
  for (int number = 1; number <= platform::FileSlots::kCount; ++number) {
    EXPECT_FALSE(s.t.module.files.isOpen(number)) << "file number " << number;
  }

  expectWritesOnlyInside(s, before, snapshot(s.t.drives.base()), row.list);
}

// One row of the catalogue; each table instantiates it under the name of its way in.
class BadInput : public ::testing::TestWithParam<Row> {};

// The test name of a row for the parameterised suites.
struct RowName {
  std::string operator()(const ::testing::TestParamInfo<Row>& info) const {
    return info.param.name;
  }
};

}  // namespace cw::catalogue
