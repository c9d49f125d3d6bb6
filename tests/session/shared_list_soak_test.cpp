// Three corbelwick-session processes run random commands on one list at the same time: adding
// groups and bookmarks (with and without layer visibilities), removing bookmarks and groups,
// saving a copy and importing the map's bookmarks. Each process's ledger is the commands of its
// script that completed without a message; afterwards the list holds exactly what the ledgers
// add up to, nothing lost and nothing twice, every copy is a whole snapshot, every side file
// belongs to a bookmark of its list, and no lock is left held.
// CW_SOAK_ROUNDS sets the commands per process, CW_SOAK_SEED the random choices (scripts/soak.sh
// runs it longer).

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "store/side_files.h"
#include "support/list_lines.h"
#include "support/temp_drives.h"

namespace cw {
namespace {

constexpr int kProcesses = 3;
const std::string kListDir = "C:\\Lists";
const std::string kList = kListDir + "\\team.bmk";
const std::string kProgramDir = "C:\\Program Files\\CorbelwickGIS\\CorbelwickBookmarks\\";
const std::string kConfigDir = kProgramDir + "BookmarksConfig/";
const std::string kImportGroup = "ArcMapBookmarks";
const std::string kImportQuestion =
    "MSGBOX \"Would you like to import your existing ArcMap bookmarks?\" -> No";

int fromEnvironment(const char* name, int otherwise) {
  const char* given = std::getenv(name);
  return given ? std::atoi(given) : otherwise;
}

using Key = std::pair<std::string, std::string>;  // (group, name or marker)
using Records = std::multiset<Key>;

// What one process's own groups hold: bookmark name -> recorded with layer visibilities.
using OwnGroups = std::map<std::string, std::map<std::string, bool>>;

// One command of a script, its lines, and what it does to the list once it completed.
struct Step {
  enum Kind { kAddGroup, kAddBookmark, kRemoveBookmark, kRemoveGroup, kSaveCopy, kImport };
  Kind kind;
  std::string group, name;  // the copy's list path for kSaveCopy
  bool visibilities = false;
  std::vector<std::string> lines;
};

std::string quotedValue(const std::string& text) {
  return "\"" + text + "\"";
}

// A random script for process `process` that only ever names groups of its own (imports
// aside), so that its ledger alone says what its groups hold.
std::vector<Step> randomSteps(int process, int count, std::mt19937& random) {
  std::vector<Step> steps;
  OwnGroups own;
  int made = 0, copies = 0;
  auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
  auto anyGroup = [&] {
    auto it = own.begin();
    std::advance(it, pick(static_cast<int>(own.size())));
    return it->first;
  };
  while (static_cast<int>(steps.size()) < count) {
    Step s{};
    switch (own.empty() ? 0 : pick(10)) {
      case 0:
      case 1:
        s.kind = Step::kAddGroup;
        s.group = "p" + std::to_string(process) + "-" + std::to_string(made++);
        s.lines = {"input " + quotedValue(s.group), "press frmMain.cmdbtnAddGroup"};
        own[s.group];
        break;
      case 2:
      case 3:
      case 4: {
        s.kind = Step::kAddBookmark;
        s.group = anyGroup();
        s.name = "b" + std::to_string(steps.size());
        s.visibilities = pick(2) == 1;
        s.lines = {"select frmMain.lstbxGroup " + quotedValue(s.group),
                   std::string("check frmMain.chkViz ") + (s.visibilities ? "1" : "0"),
                   "input " + s.name, "press frmMain.cmdbtnAddCurExtent"};
        own[s.group][s.name] = s.visibilities;
        break;
      }
      case 5:
      case 6: {
        s.group = anyGroup();
        if (own[s.group].empty()) continue;
        s.kind = Step::kRemoveBookmark;
        auto it = own[s.group].begin();
        std::advance(it, pick(static_cast<int>(own[s.group].size())));
        s.name = it->first;
        s.lines = {"select frmMain.lstbxGroup " + quotedValue(s.group),
                   "select frmMain.lstbxExtentName " + quotedValue(s.name),
                   "press frmMain.btnRemoveExtent"};
        own[s.group].erase(it);
        break;
      }
      case 7:
        s.kind = Step::kRemoveGroup;
        s.group = anyGroup();
        s.lines = {"select frmMain.lstbxGroup " + quotedValue(s.group),
                   "press frmMain.btnRemoveGroup"};
        own.erase(s.group);
        break;
      case 8: {
        // The copy becomes the active list: the shared one is opened again after it.
        s.kind = Step::kSaveCopy;
        const std::string copy =
            "copy-p" + std::to_string(process) + "-" + std::to_string(copies++);
        s.name = kListDir + "\\" + copy + ".bmk";
        s.lines = {"press frmMain.btnSaveList",
                   "chdir frmSaveList.Dir1 " + quotedValue(kListDir),
                   "type frmSaveList.txtFileName " + quotedValue(copy),
                   "press frmSaveList.btnSave",
                   "press frmMain.btnLoadList",
                   "chdir frmLoadList.Dir1 " + quotedValue(kListDir),
                   "dblclick frmLoadList.File1 \"team.bmk\""};
        break;
      }
      default:
        s.kind = Step::kImport;
        s.lines = {"press frmMain.btnImport"};
        break;
    }
    steps.push_back(std::move(s));
  }
  return steps;
}

const std::vector<std::string> kPrelude = {"create", "answer No", "click"};

std::string scriptOf(const std::vector<Step>& steps) {
  std::string script;
  for (const auto& line : kPrelude) script += line + "\n";
  for (const auto& step : steps) {
    for (const auto& line : step.lines) script += line + "\n";
  }
  return script;
}

// The steps that completed without a message, read from the transcript: every script line is
// echoed as "> ...", and a message box shows as a MSGBOX line after its command. The start-up's
// import question is the one message expected.
std::vector<bool> completedSteps(const std::vector<Step>& steps, const std::string& transcript,
                                 std::vector<std::string>& unexpected) {
  std::vector<int> stepOfLine(kPrelude.size(), -1);
  for (std::size_t i = 0; i < steps.size(); ++i) {
    stepOfLine.insert(stepOfLine.end(), steps[i].lines.size(), static_cast<int>(i));
  }
  std::vector<bool> completed(steps.size(), true);
  std::istringstream lines(transcript);
  int echoed = 0;
  for (std::string line; std::getline(lines, line);) {
    if (line.starts_with("> ")) {
      ++echoed;
    } else if (line.starts_with("MSGBOX") || line.starts_with("corbelwick-session")) {
      const int step = echoed == 0 ? -1 : stepOfLine.at(echoed - 1);
      if (step < 0 && line == kImportQuestion) continue;
      if (step >= 0) completed[step] = false;
      unexpected.push_back(line);
    }
  }
  if (echoed != static_cast<int>(stepOfLine.size())) {
    unexpected.push_back("the script stopped after line " + std::to_string(echoed));
  }
  return completed;
}

// The first two fields of every record: (group, name) for a bookmark, (group, marker) for a
// group, the format tag twice for a header.
Records recordKeys(const std::string& list) {
  Records keys;
  std::istringstream lines(list);
  for (std::string line; std::getline(lines, line);) {
    std::vector<std::string> fields;
    std::size_t at = 0;
    for (int f = 0; f < 2 && at < line.size() && line[at] == '"'; ++f) {
      std::size_t end = line.find('"', at + 1);
      fields.push_back(line.substr(at + 1, end - at - 1));
      at = end + 2;
    }
    EXPECT_EQ(fields.size(), 2u) << "a record that is not whole: " << line;
    if (fields.size() == 2) keys.insert({fields[0], fields[1]});
  }
  return keys;
}

const Key kHeader{"Bookmarks_v2.0", "Bookmarks_v2.0"};
const std::string kGroupMarker = "ud2s88oew";

Records ownRecords(const OwnGroups& own) {
  Records records;
  for (const auto& [group, bookmarks] : own) {
    records.insert({group, kGroupMarker});
    for (const auto& [name, visibilities] : bookmarks) records.insert({group, name});
  }
  return records;
}

// The groups process `process` makes are named "p<process>-<n>".
bool madeBy(const std::string& group, int process) {
  return group.starts_with("p" + std::to_string(process) + "-");
}

Records withoutImports(const Records& records) {
  Records kept;
  for (const auto& key : records) {
    if (!key.first.starts_with(kImportGroup)) kept.insert(key);
  }
  return kept;
}

// Every side file of `list` belongs to one of its bookmarks, every group directory to one of
// its groups; `required` bookmarks have theirs.
void checkSideFiles(testing::TempDrives& drives, const std::string& list, const Records& records,
                    const std::set<Key>& required) {
  SCOPED_TRACE(list);
  std::set<std::string> groups, files;
  for (const auto& [group, name] : records) {
    if (Key{group, name} == kHeader) continue;
    groups.insert(store::SideFileName(group));
    files.insert(store::SideFileName(group) + "/" + store::SideFileName(name));
  }
  const auto area = drives.host(store::ListSideFileArea(kConfigDir, list));
  std::set<std::string> found;
  if (std::filesystem::is_directory(area)) {
    for (const auto& entry : std::filesystem::recursive_directory_iterator(area)) {
      const std::string relative = entry.path().lexically_relative(area).generic_string();
      if (entry.is_directory()) {
        EXPECT_TRUE(groups.count(relative)) << "a directory of no group: " << relative;
      } else {
        EXPECT_TRUE(files.count(relative)) << "a side file of no bookmark: " << relative;
        found.insert(relative);
      }
    }
  }
  for (const auto& [group, name] : required) {
    EXPECT_TRUE(found.count(store::SideFileName(group) + "/" + store::SideFileName(name)))
        << "lost visibilities of " << group << " / " << name;
  }
}

TEST(SharedList, ThreeProcessesChangingOneListLoseNothingAndLeaveNothingTwice) {
  testing::TempDrives drives;
  const int rounds = fromEnvironment("CW_SOAK_ROUNDS", 40);
  const int seed = fromEnvironment("CW_SOAK_SEED", 1);
  const std::string drive = " --drive '" + ("C=" + drives.root('C').string()) + "'";
  drives.write(kList, testing::header());

  // The first start makes the program's folder; the pointer then names the shared list.
  std::ofstream(drives.base() / "init.txt") << scriptOf({});
  ASSERT_EQ(std::system((CW_SESSION_BIN + (" '" + (drives.base() / "init.txt").string() + "'") +
                         drive + " > /dev/null 2>&1")
                            .c_str()),
            0);
  drives.write(kProgramDir + "config", "\"" + kList + "\"\r\n");

  std::vector<std::vector<Step>> scripts;
  const auto start = std::chrono::steady_clock::now();
  std::vector<FILE*> runs;
  for (int k = 0; k < kProcesses; ++k) {
    std::mt19937 random(static_cast<unsigned>(seed * 1000 + k));
    scripts.push_back(randomSteps(k, rounds, random));
    const auto script = drives.base() / ("p" + std::to_string(k) + ".txt");
    std::ofstream(script) << scriptOf(scripts.back());
    const auto out = drives.base() / ("p" + std::to_string(k) + ".out");
    std::string command = std::string(CW_SESSION_BIN) + " '" + script.string() + "'" + drive +
                          " > '" + out.string() + "' 2>&1";
    runs.push_back(::popen(command.c_str(), "r"));
    ASSERT_NE(runs.back(), nullptr);
  }
  std::vector<std::string> transcripts;
  for (int k = 0; k < kProcesses; ++k) {
    const int status = ::pclose(runs[k]);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "process " << k;
    std::ifstream out(drives.base() / ("p" + std::to_string(k) + ".out"));
    std::ostringstream text;
    text << out.rdbuf();
    transcripts.push_back(text.str());
  }
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

  // The ledgers, and what each copy must hold of its own process's groups.
  Records expected{kHeader};
  std::set<Key> withVisibilities;
  int imports = 0, completedCount = 0;
  struct Copy {
    std::string path;
    int process;
    Records own;  // the process's groups as it had them when it saved
  };
  std::vector<Copy> copies;
  for (int k = 0; k < kProcesses; ++k) {
    std::vector<std::string> unexpected;
    const std::vector<bool> completed = completedSteps(scripts[k], transcripts[k], unexpected);
    EXPECT_TRUE(unexpected.empty()) << "process " << k << ": " << unexpected.front();
    OwnGroups own;
    for (std::size_t i = 0; i < scripts[k].size(); ++i) {
      if (!completed[i]) continue;
      ++completedCount;
      const Step& s = scripts[k][i];
      switch (s.kind) {
        case Step::kAddGroup:
          own[s.group];
          break;
        case Step::kAddBookmark:
          own[s.group][s.name] = s.visibilities;
          break;
        case Step::kRemoveBookmark:
          own[s.group].erase(s.name);
          break;
        case Step::kRemoveGroup:
          own.erase(s.group);
          break;
        case Step::kSaveCopy:
          copies.push_back({s.name, k, ownRecords(own)});
          break;
        case Step::kImport:
          ++imports;
          break;
      }
    }
    const Records mine = ownRecords(own);
    expected.insert(mine.begin(), mine.end());
    for (const auto& [group, bookmarks] : own) {
      for (const auto& [name, visibilities] : bookmarks) {
        if (visibilities) withVisibilities.insert({group, name});
      }
    }
  }
  std::printf("soak: %d processes x %d commands (%d completed, %d imports, %zu copies) in %.2f s\n",
              kProcesses, rounds, completedCount, imports, copies.size(), seconds);

  // The shared list: the ledgers' records, and one group per import holding the map's bookmarks.
  const Records list = recordKeys(drives.read(kList));
  EXPECT_EQ(withoutImports(list), expected);
  std::map<std::string, std::multiset<std::string>> imported;
  for (const auto& [group, name] : list) {
    if (group.starts_with(kImportGroup)) imported[group].insert(name);
  }
  EXPECT_EQ(static_cast<int>(imported.size()), imports);
  for (const auto& [group, names] : imported) {
    EXPECT_EQ(names, imported.begin()->second) << group;
    EXPECT_EQ(names.count(kGroupMarker), 1u) << group;
  }
  checkSideFiles(drives, kList, list, withVisibilities);

  // Each copy is the shared list at one moment: whole records, and its own process's groups as
  // that process had them then.
  for (const Copy& copy : copies) {
    const Records records = recordKeys(drives.read(copy.path));
    Records ownPart;
    for (const auto& key : records) {
      if (madeBy(key.first, copy.process)) ownPart.insert(key);
    }
    EXPECT_EQ(ownPart, copy.own) << copy.path;
    EXPECT_EQ(records.count(kHeader), 1u) << copy.path;
    checkSideFiles(drives, copy.path, records, {});
  }

  // Side-file areas belong to lists only.
  std::set<std::string> areas{store::ListSideFileArea(kConfigDir, kList)};
  for (const Copy& copy : copies) areas.insert(store::ListSideFileArea(kConfigDir, copy.path));
  std::set<std::filesystem::path> hostAreas;
  for (const auto& area : areas) hostAreas.insert(drives.host(area).lexically_normal());
  for (const auto& entry : std::filesystem::directory_iterator(drives.host(kConfigDir + "lists"))) {
    EXPECT_TRUE(hostAreas.count((entry.path() / "").lexically_normal())) << entry.path();
  }

  EXPECT_NE(drives.fs().tryLock(kList + ".lock"), nullptr);  // no lock left held
}

}  // namespace
}  // namespace cw
