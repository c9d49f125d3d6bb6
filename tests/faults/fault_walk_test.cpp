// Every command that changes files, run once for each file operation it makes with that
// operation failing, and once for each fill level of a full disk. After each failure: a message
// was shown (or the failure was harmless and the command still did all it does), every file
// holds its old or its new content, nothing changed outside the list and the program
// directory, and the window still works.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <initializer_list>
#include <iostream>
#include <iterator>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "faults/fault_scene.h"
#include "faults/fault_tally.h"
#include "store/side_files.h"
#include "ui/lists/frm_load_list.h"
#include "ui/lists/frm_save_list.h"
#include "ui/main/frm_main.h"

namespace cw::faults {
namespace {

using platform::MessageResult;

// A mutating command: what is set up before the faults are armed, and the command itself.
struct Command {
  std::string name;
  std::function<void(Scene&)> prepare;
  std::function<void(Scene&)> run;
  // The import appends record by record: after a failure the list holds its old records and
  // some of the new ones, each whole and in order.
  bool appendsSeveral = false;
};

void PrintTo(const Command& command, std::ostream* out) {
  *out << command.name;
}

void pressAddBookmark(Scene& s, int remember) {
  s.selectGroup("Parks");
  s.window().chkViz().setValue(remember);
  s.toolkit.queueInput("Harbour");
}

// A list window driven modally; after a failure it stays open, and Cancel closes it.
template <class ListWindow>
void driveModal(Scene& s, std::function<void(ListWindow&)> act) {
  s.toolkit.modalDriver = [act](ui::Window& shown) {
    auto& window = dynamic_cast<ListWindow&>(shown);
    window.Dir1().navigate("C:\\Lists");
    act(window);
    if (window.isVisible()) window.fire("btnCancel", Event::kClick);
  };
}

const std::vector<Command>& commands() {
  static const std::vector<Command> all{
      {"AddGroup", [](Scene& s) { s.toolkit.queueInput("Lakes"); },
       [](Scene& s) { s.window().fire("cmdbtnAddGroup", Event::kClick); }},
      {"AddBookmark", [](Scene& s) { pressAddBookmark(s, 0); },
       [](Scene& s) { s.window().fire("cmdbtnAddCurExtent", Event::kClick); }},
      {"AddBookmarkWithLayerVisibilities", [](Scene& s) { pressAddBookmark(s, 1); },
       [](Scene& s) { s.window().fire("cmdbtnAddCurExtent", Event::kClick); }},
      {"RemoveBookmark",
       [](Scene& s) {
         s.selectGroup("Parks");
         s.selectBookmark("Riverside");
       },
       [](Scene& s) { s.window().fire("btnRemoveExtent", Event::kClick); }},
      {"RemoveGroup", [](Scene& s) { s.selectGroup("Parks"); },
       [](Scene& s) { s.window().fire("btnRemoveGroup", Event::kClick); }},
      {"ClearList", [](Scene& s) { s.toolkit.queueAnswer(MessageResult::kYes); },
       [](Scene& s) { s.window().fire("btnNewList", Event::kClick); }},
      {"SaveList",
       [](Scene& s) {
         driveModal<ui::FrmSaveList>(s, [](ui::FrmSaveList& w) {
           w.txtFileName().setText("copy");
           w.fire("btnSave", Event::kClick);
         });
       },
       [](Scene& s) { s.window().fire("btnSaveList", Event::kClick); }},
      {"SaveListAsNewFile",
       [](Scene& s) {
         driveModal<ui::FrmSaveList>(s, [](ui::FrmSaveList& w) {
           w.txtFileName().setText("fresh");
           w.fire("btnSave", Event::kClick);
         });
       },
       [](Scene& s) { s.window().fire("btnSaveList", Event::kClick); }},
      {"OpenList",
       [](Scene& s) {
         driveModal<ui::FrmLoadList>(s, [](ui::FrmLoadList& w) {
           for (int i = 0; i < w.File1().entryCount(); ++i) {
             if (w.File1().entryText(i) == "other.bmk") w.File1().select(i);
           }
           w.fire("btnOpen", Event::kClick);
         });
       },
       [](Scene& s) { s.window().fire("btnLoadList", Event::kClick); }},
      {"Import", [](Scene&) {}, [](Scene& s) { s.window().fire("btnImport", Event::kClick); },
       true},
  };
  return all;
}

// Every file and directory under the drives: relative path -> bytes ("<dir>" for a directory).
using Tree = std::map<std::string, std::string>;

Tree snapshot(const testing::TempDrives& drives) {
  Tree tree;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(drives.base())) {
    std::string key = std::filesystem::relative(entry.path(), drives.base()).string();
    if (entry.is_directory()) {
      tree[key] = "<dir>";
    } else {
      std::ifstream in(entry.path(), std::ios::binary);
      tree[key] = {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
  }
  return tree;
}

std::string valueIn(const Tree& tree, const std::string& key) {
  auto it = tree.find(key);
  return it == tree.end() ? "<missing>" : it->second;
}

std::vector<std::string> linesOf(const std::string& bytes) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2) {
    lines.push_back(bytes.substr(start, end + 2 - start));
  }
  if (start < bytes.size()) lines.push_back(bytes.substr(start));
  return lines;
}

// The old lines, then some of the appended lines in their order.
bool isOldPlusSomeAppended(const std::string& now, const std::string& old,
                           const std::string& complete) {
  if (now.compare(0, old.size(), old) != 0 || complete.compare(0, old.size(), old) != 0) {
    return false;
  }
  std::vector<std::string> added = linesOf(now.substr(old.size()));
  std::vector<std::string> all = linesOf(complete.substr(old.size()));
  auto next = all.begin();
  for (const auto& line : added) {
    next = std::find(next, all.end(), line);
    if (next == all.end()) return false;
    ++next;
  }
  return true;
}

// Field 1 and field 2 of each record of a list made of the scene's simple lines.
std::vector<std::pair<std::string, std::string>> leadingFields(const std::string& bytes) {
  std::vector<std::pair<std::string, std::string>> out;
  for (const auto& line : linesOf(bytes)) {
    std::vector<std::string> fields;
    std::stringstream in(line.substr(0, line.find('\r')));
    for (std::string field; std::getline(in, field, ',');) {
      if (field.size() >= 2 && field.front() == '"') field = field.substr(1, field.size() - 2);
      fields.push_back(field);
    }
    if (fields.size() >= 2) out.emplace_back(fields[0], fields[1]);
  }
  return out;
}

std::size_t countStarting(const std::vector<std::string>& messages, std::string_view start) {
  return static_cast<std::size_t>(std::count_if(
      messages.begin(), messages.end(), [&](const auto& m) { return m.starts_with(start); }));
}

// What a run without any fault leaves.
struct Reference {
  Tree before;
  Tree after;
  std::vector<std::string> messages;
  std::vector<std::string> groups;
  std::vector<std::string> bookmarks;
  std::uint64_t operations = 0;
  std::uint64_t bytes = 0;
};

class FaultWalk : public ::testing::TestWithParam<Command> {
 protected:
  // Runs the command on a fresh scene with the fault that `arm` sets; the problems found.
  std::vector<std::string> runOnce(
      const std::function<void(platform::FaultInjectingFileSystem&)>& arm, Reference* reference,
      Tally* tally) {
    const Command& command = GetParam();
    Scene s;
    command.prepare(s);
    s.toolkit.messages.clear();
    Tree before = snapshot(s.drives);
    s.faults.disarm();  // counts start with the command
    arm(s.faults);
    std::vector<std::string> problems;
    try {
      command.run(s);
    } catch (const headless::ScriptError& e) {
      problems.push_back("script error: " + e.message);
    } catch (...) {
      problems.push_back("an exception escaped the command");
    }
    const std::uint64_t fired = s.faults.faultsFired();
    const std::string fault = s.faults.faultLog().empty() ? "" : s.faults.faultLog().front();
    const std::uint64_t operations = s.faults.operations();
    const std::uint64_t bytes = s.faults.bytesWritten();
    s.faults.disarm();
    Tree after = snapshot(s.drives);

    if (reference) {
      *reference = {before,
                    after,
                    s.toolkit.messages,
                    s.window().lstbxGroup().items(),
                    s.window().lstbxExtentName().items(),
                    operations,
                    bytes};
      return problems;
    }
    const Reference& ref = reference_;
    if (fired == 0) problems.push_back("the fault did not strike");

    // Seen: the error report or the command's own message; or nothing at all, when the
    // failure was harmless and the command did everything it does.
    const auto& messages = s.toolkit.messages;
    const bool report =
        countStarting(messages, kReportStart) > countStarting(ref.messages, kReportStart);
    const bool own = countStarting(messages, kNoWriteAccessStart) >
                     countStarting(ref.messages, kNoWriteAccessStart);
    if (report) {
      ++tally->reported;
    } else if (own) {
      ++tally->ownMessage;
    } else if (messages == ref.messages) {
      ++tally->harmless;
      for (const auto& path : {kList, kCopy, kFresh, kProgramDir + "config"}) {
        std::string key = relativeKey(s, path);
        if (valueIn(after, key) != valueIn(ref.after, key)) {
          problems.push_back("no message, yet " + path + " is not as without the fault");
        }
      }
      if (s.window().lstbxGroup().items() != ref.groups ||
          s.window().lstbxExtentName().items() != ref.bookmarks) {
        problems.push_back("no message, yet the list boxes are not as without the fault");
      }
    } else {
      problems.push_back("a failure without the error report or the command's message");
    }

    // Each file holds its old or its new content; outside the lists and the program
    // directory nothing changed at all.
    std::set<std::string> keys;
    for (const Tree* tree : std::initializer_list<const Tree*>{&before, &after, &ref.after}) {
      for (const auto& [key, value] : *tree) keys.insert(key);
    }
    const std::string programKey = relativeKey(s, kProgramDir);
    // A command that fails before the list changed keeps the list's recorded visibilities too.
    const std::string listKey = relativeKey(s, kList);
    const bool listKept = valueIn(after, listKey) == valueIn(before, listKey);
    const std::string areaKey =
        relativeKey(s, store::ListSideFileArea(s.module.paths.ConfigDir, kList));
    for (const auto& key : keys) {
      const std::string now = valueIn(after, key);
      const std::string old = valueIn(before, key);
      const std::string complete = valueIn(ref.after, key);
      // A list's lock file appears beside it, empty.
      const bool lockMade = key.ends_with(".lock") && now.empty();
      const bool mayChange = key == relativeKey(s, kList) || key == relativeKey(s, kCopy) ||
                             key == relativeKey(s, kFresh) || key.starts_with(programKey) ||
                             lockMade;
      if (!mayChange && now != old) {
        problems.push_back("changed outside the lists and the program directory: " + key);
      } else if (command.appendsSeveral && key == relativeKey(s, kList)) {
        if (!isOldPlusSomeAppended(now, old, complete)) {
          problems.push_back("the list holds a part of a record: " + now);
        }
      } else if (now != old && now != complete) {
        problems.push_back("neither old nor new: " + key + " holds\n" + now);
      } else if (listKept && key.starts_with(areaKey) && now != old) {
        problems.push_back("the list is as it was, but not its side file " + key);
      }
    }

    // No file stays open; the list boxes show only what the active list holds.
    for (int n = 1; n <= 3; ++n) {
      if (s.module.files.isOpen(n))
        problems.push_back("file number " + std::to_string(n) + " open");
    }
    auto records = leadingFields(s.drives.read(s.module.session.ActiveListPath));
    for (const auto& item : s.window().lstbxGroup().items()) {
      if (std::none_of(records.begin(), records.end(),
                       [&](const auto& r) { return r.first == item; })) {
        problems.push_back("the group list shows " + item + ", which the list does not hold");
      }
    }
    for (const auto& item : s.window().lstbxExtentName().items()) {
      if (std::none_of(records.begin(), records.end(),
                       [&](const auto& r) { return r.second == item; })) {
        problems.push_back("the bookmark list shows " + item + ", which the list does not hold");
      }
    }

    // The window still works: a new group goes into the active list.
    if (s.module.session.OpenListWindowActive || s.module.session.SaveListWindowActive) {
      problems.push_back("a list window flag stays set");
    }
    drainAnswers(s.toolkit);
    const std::size_t shown = s.toolkit.messages.size();
    s.toolkit.queueInput("Later");
    s.window().fire("cmdbtnAddGroup", Event::kClick);
    const std::string list = s.drives.read(s.module.session.ActiveListPath);
    const auto& groups = s.window().lstbxGroup().items();
    if (s.toolkit.messages.size() != shown || !list.ends_with(group("Later")) ||
        std::find(groups.begin(), groups.end(), "Later") == groups.end()) {
      problems.push_back("adding a group afterwards does not work");
    }

    for (auto& problem : problems) problem = "fault at " + fault + ": " + problem;
    return problems;
  }

  // Answers queued for boxes that a failure kept from showing.
  static void drainAnswers(headless::HeadlessToolkit& toolkit) {
    try {
      for (;;) toolkit.inputBox("");
    } catch (const headless::ScriptError&) {
    }
    try {
      for (;;) toolkit.messageBox("", platform::MessageButtons::kYesNo);
    } catch (const headless::ScriptError&) {
    }
  }

  // The snapshot's key of a file, or of a directory's content when the path ends in a separator.
  static std::string relativeKey(Scene& s, std::string windowsPath) {
    bool directory = false;
    while (windowsPath.ends_with('\\') || windowsPath.ends_with('/')) {
      windowsPath.pop_back();
      directory = true;
    }
    std::string key =
        std::filesystem::relative(s.drives.host(windowsPath), s.drives.base()).string();
    return directory ? key + "/" : key;
  }

  void takeReference() {
    auto problems = runOnce([](platform::FaultInjectingFileSystem&) {}, &reference_, nullptr);
    ASSERT_TRUE(problems.empty()) << problems.front();
    ASSERT_TRUE(reference_.messages.empty() || GetParam().name == "ClearList")
        << "the command must succeed without faults: " << reference_.messages.front();
    ASSERT_GT(reference_.operations, 0u);
  }

  void walk(const std::string& mode, std::uint64_t points,
            const std::function<void(platform::FaultInjectingFileSystem&, std::uint64_t)>& arm) {
    walkFaultPoints(GetParam().name, mode, points, [&](std::uint64_t point, Tally& tally) {
      return runOnce([&](auto& faults) { arm(faults, point); }, nullptr, &tally);
    });
  }

  Reference reference_;
};

TEST_P(FaultWalk, EveryFailingFileOperationIsShownAndLeavesOldOrNewFiles) {
  takeReference();
  walk("operation", reference_.operations,
       [](auto& faults, std::uint64_t point) { faults.failOperation(point + 1); });
  // One past the last operation: nothing fails.
  Scene s;
  GetParam().prepare(s);
  s.faults.failOperation(reference_.operations + 1);
  GetParam().run(s);
  EXPECT_EQ(s.faults.faultsFired(), 0u);
}

TEST_P(FaultWalk, AFullDiskIsShownAndLeavesOldOrNewFiles) {
  takeReference();
  if (reference_.bytes == 0) GTEST_SKIP() << "writes nothing";
  // Every fill level for small totals, an even spread plus the last bytes for larger ones.
  std::vector<std::uint64_t> limits;
  const std::uint64_t stride = std::max<std::uint64_t>(1, reference_.bytes / 96);
  for (std::uint64_t n = 0; n < reference_.bytes; n += stride) limits.push_back(n);
  for (std::uint64_t n = reference_.bytes > 3 ? reference_.bytes - 3 : 0; n < reference_.bytes;
       ++n) {
    if (limits.back() < n) limits.push_back(n);
  }
  walk("full_disk", limits.size(),
       [&](auto& faults, std::uint64_t point) { faults.failWritesAfter(limits[point]); });
}

INSTANTIATE_TEST_SUITE_P(Commands, FaultWalk, ::testing::ValuesIn(commands()),
                         [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace cw::faults
