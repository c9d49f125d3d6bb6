// The start-up's own writes, run once for each file operation they make with that operation
// failing, and once for each fill level of a full disk: the command's creation making the program
// directory and its files, and the window's load creating a missing list and writing the header
// of an empty one. After each failure: a message was shown (or the failure is one the start-up
// skips on purpose), the list holds nothing or the whole header, nothing changed outside the
// program directory and the list, and a fresh start then works.

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "faults/fault_scene.h"
#include "faults/fault_tally.h"

namespace cw::faults {
namespace {

// Layers but no bookmarks of its own, so the load asks no import question.
constexpr std::string_view kPlainDocument = R"({"dataFrames": [
    {"name": "Main Map", "extent": [0, 0, 100, 100],
     "layers": [{"name": "Roads", "kind": "feature", "visible": true}]}]})";

const std::string kDefaultList = kProgramDir + "bookmarks_default.bmk";
const std::string kMissing = "C:\\Lists\\missing.bmk";
constexpr std::string_view kProgramDirError = "There was an error creating the program directory.";

// The drives before the start-up, and the list it works on.
struct Start {
  std::string name;
  std::function<void(const testing::TempDrives&)> prepare;
  std::string list;
};

void PrintTo(const Start& start, std::ostream* out) {
  *out << start.name;
}

const std::vector<Start>& starts() {
  static const std::vector<Start> all{
      {"FirstStartOnFreshDrives", [](const testing::TempDrives&) {}, kDefaultList},
      {"EmptyListGetsItsHeader",
       [](const testing::TempDrives& d) {
         d.write(kList, "");
         d.write(kProgramDir + "config", "\"" + kList + "\"\r\n");
       },
       kList},
      {"MissingListNamedByThePointerFile",
       [](const testing::TempDrives& d) {
         d.makeDirectory("C:\\Lists");
         d.write(kProgramDir + "config", "\"" + kMissing + "\"\r\n");
       },
       kMissing},
  };
  return all;
}

// The command created and clicked on the start's drives, through a fault-injecting disk.
struct StartScene {
  explicit StartScene(const Start& start) : host(standin::loadDocument(kPlainDocument)) {
    start.prepare(drives);
  }

  void run() {
    command.OnCreate(&host);
    command.OnClick();
  }

  testing::TempDrives drives;
  platform::FaultInjectingFileSystem faults{drives.fs()};
  headless::HeadlessToolkit toolkit;
  standin::Application host;
  Module module{faults, toolkit, toolkit, host};
  CorbelwickBookmarks command{module};
};

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

std::string keyOf(const testing::TempDrives& drives, const std::string& windowsPath) {
  return std::filesystem::relative(drives.host(windowsPath), drives.base()).string();
}

bool shown(const std::vector<std::string>& messages, std::string_view start) {
  for (const auto& message : messages) {
    if (message.starts_with(start)) return true;
  }
  return false;
}

class StartupWalk : public ::testing::TestWithParam<Start> {
 protected:
  struct Reference {
    Tree after;
    std::uint64_t operations = 0;
    std::uint64_t bytes = 0;
  };

  void takeReference() {
    StartScene s(GetParam());
    s.faults.disarm();
    s.run();
    ASSERT_TRUE(s.toolkit.messages.empty()) << s.toolkit.messages.front();
    ASSERT_EQ(s.drives.read(GetParam().list), testing::header());
    reference_ = {snapshot(s.drives), s.faults.operations(), s.faults.bytesWritten()};
    ASSERT_GT(reference_.operations, 0u);
  }

  // Starts on fresh drives with the fault that `arm` sets; the problems found.
  std::vector<std::string> runOnce(
      const std::function<void(platform::FaultInjectingFileSystem&)>& arm, Tally& tally) {
    const Start& start = GetParam();
    StartScene s(start);
    Tree before = snapshot(s.drives);
    s.faults.disarm();
    arm(s.faults);
    std::vector<std::string> problems;
    try {
      s.run();
    } catch (const headless::ScriptError& e) {
      problems.push_back("script error: " + e.message);
    } catch (...) {
      problems.push_back("an exception escaped the start-up");
    }
    const std::uint64_t fired = s.faults.faultsFired();
    const std::string fault = s.faults.faultLog().empty() ? "" : s.faults.faultLog().front();
    s.faults.disarm();
    // The load may leave the list open after a failure; what it wrote counts once it is closed.
    s.module.files.closeAll();
    Tree after = snapshot(s.drives);
    if (fired == 0) problems.push_back("the fault did not strike");

    // Seen: the error report or the creation's own message; or nothing, when the start-up
    // skipped the failure on purpose and the list and the pointer file are as without it.
    const std::string listKey = keyOf(s.drives, start.list);
    const std::string pointerKey = keyOf(s.drives, kProgramDir + "config");
    const auto& messages = s.toolkit.messages;
    // A creation that failed shows its own message; the click after it has no window to show
    // and reports that as well.
    if (shown(messages, kProgramDirError)) {
      ++tally.ownMessage;
    } else if (shown(messages, kReportStart)) {
      ++tally.reported;
    } else if (messages.empty()) {
      ++tally.harmless;
      for (const auto& key : {listKey, pointerKey}) {
        if (valueIn(after, key) != valueIn(reference_.after, key)) {
          problems.push_back("no message, yet " + key + " is not as without the fault");
        }
      }
    } else {
      problems.push_back("a failure without the error report or the creation's message");
    }

    // The list holds nothing or the whole header; the pointer file its old content or none.
    const std::string list = valueIn(after, listKey);
    if (list != "<missing>" && list != "" && list != testing::header()) {
      problems.push_back("the list holds a part of its header: " + list);
    }
    const std::string pointer = valueIn(after, pointerKey);
    if (pointer != valueIn(before, pointerKey) &&
        pointer != valueIn(reference_.after, pointerKey)) {
      problems.push_back("the pointer file holds " + pointer);
    }

    // Outside the program directory (and the directories above it) and the list, nothing changed.
    const std::string programDir = keyOf(s.drives, kProgramDir.substr(0, kProgramDir.size() - 1));
    const std::string companyDir = std::filesystem::path(programDir).parent_path().string();
    std::set<std::string> keys;
    for (const Tree* tree : {&before, &after}) {
      for (const auto& [key, value] : *tree) keys.insert(key);
    }
    for (const auto& key : keys) {
      const bool mayChange = key == listKey || key == listKey + ".lock" || key == companyDir ||
                             key == programDir || key.starts_with(programDir + "/");
      if (!mayChange && valueIn(after, key) != valueIn(before, key)) {
        problems.push_back("changed outside the program directory and the list: " + key);
      }
    }

    // Without the fault, starting again works: a creation that failed is repeated, a loaded
    // window is closed so the click loads it anew, and a new group goes into the list.
    try {
      restart(s);
      const std::size_t shownBefore = s.toolkit.messages.size();
      s.toolkit.queueInput("Later");
      s.module.mainWindow->fire("cmdbtnAddGroup", ui::Event::kClick);
      const auto& groups = s.module.mainWindow->lstbxGroup().items();
      if (s.toolkit.messages.size() != shownBefore ||
          s.drives.read(start.list) != testing::header() + group("Later") ||
          groups != std::vector<std::string>{"Later"}) {
        problems.push_back("after a fresh start, adding a group does not work; the list holds\n" +
                           s.drives.read(start.list));
      }
    } catch (const std::exception& e) {
      problems.push_back(std::string("the fresh start failed: ") + e.what());
    } catch (...) {
      problems.push_back("an exception escaped the fresh start");
    }

    for (auto& problem : problems) problem = "fault at " + fault + ": " + problem;
    return problems;
  }

  static void restart(StartScene& s) {
    s.toolkit.messages.clear();
    if (!s.module.mainWindow || s.module.paths.ConfigDir.empty()) s.command.OnCreate(&s.host);
    if (s.module.mainWindow && s.module.mainWindow->isLoaded()) {
      s.module.mainWindow->fire("btnClose", ui::Event::kClick);
    }
    s.command.OnClick();
    if (!s.toolkit.messages.empty()) throw std::runtime_error(s.toolkit.messages.front());
  }

  void walk(const std::string& mode, std::uint64_t points,
            const std::function<void(platform::FaultInjectingFileSystem&, std::uint64_t)>& arm) {
    walkFaultPoints("Startup" + GetParam().name, mode, points,
                    [&](std::uint64_t point, Tally& tally) {
                      return runOnce([&](auto& faults) { arm(faults, point); }, tally);
                    });
  }

  Reference reference_;
};

TEST_P(StartupWalk, EveryFailingFileOperationIsShownAndLeavesNoPartialHeader) {
  takeReference();
  walk("operation", reference_.operations,
       [](auto& faults, std::uint64_t point) { faults.failOperation(point + 1); });
}

TEST_P(StartupWalk, AFullDiskIsShownAndLeavesNoPartialHeader) {
  takeReference();
  ASSERT_GT(reference_.bytes, 0u);
  // The header is short: every fill level short of it.
  walk("full_disk", reference_.bytes,
       [](auto& faults, std::uint64_t point) { faults.failWritesAfter(point); });
}

INSTANTIATE_TEST_SUITE_P(Starts, StartupWalk, ::testing::ValuesIn(starts()),
                         [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace cw::faults
