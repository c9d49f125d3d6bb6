// Three corbelwick-session processes change one list at the same time, each on groups of its
// own: afterwards the list holds exactly what every process added and did not remove, nothing
// lost and nothing twice, its side files belong to its bookmarks, and no lock is left held.
// CW_SOAK_ROUNDS sets the rounds per process (scripts/soak.sh runs it longer).

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "support/list_lines.h"
#include "support/temp_drives.h"

namespace cw {
namespace {

constexpr int kProcesses = 3;
const std::string kList = "C:\\Lists\\team.bmk";
const std::string kProgramDir = "C:\\Program Files\\CorbelwickGIS\\CorbelwickBookmarks\\";

int rounds() {
  const char* given = std::getenv("CW_SOAK_ROUNDS");
  return given ? std::atoi(given) : 15;
}

std::string groupName(int process, int round) {
  return "p" + std::to_string(process) + "-" + std::to_string(round);
}

// The groups a process keeps: every third round removes the group of the round before.
bool removed(int round, int rounds) {
  return round + 1 < rounds && (round + 1) % 3 == 2;
}

std::string scriptOf(int process, int rounds) {
  std::ostringstream s;
  s << "create\nanswer No\nclick\n";
  for (int i = 0; i < rounds; ++i) {
    const std::string group = "\"" + groupName(process, i) + "\"";
    s << "input " << group << "\npress frmMain.cmdbtnAddGroup\n"
      << "select frmMain.lstbxGroup " << group << "\n"
      << "check frmMain.chkViz " << (i % 2) << "\n"
      << "input b\npress frmMain.cmdbtnAddCurExtent\n"
      << "input c\npress frmMain.cmdbtnAddCurExtent\n"
      << "select frmMain.lstbxExtentName c\npress frmMain.btnRemoveExtent\n";
    if (i % 3 == 2) {
      s << "select frmMain.lstbxGroup \"" << groupName(process, i - 1) << "\"\n"
        << "press frmMain.btnRemoveGroup\n";
    }
  }
  return s.str();
}

std::string quotedArg(const std::string& text) {
  return "'" + text + "'";
}

// The first two fields of every record: (group, name) for a bookmark, (group, marker) for a
// group, the format tag twice for a header.
std::multiset<std::pair<std::string, std::string>> recordKeys(const std::string& list) {
  std::multiset<std::pair<std::string, std::string>> keys;
  std::istringstream lines(list);
  for (std::string line; std::getline(lines, line);) {
    std::vector<std::string> fields;
    std::size_t at = 0;
    for (int f = 0; f < 2 && at < line.size() && line[at] == '"'; ++f) {
      std::size_t end = line.find('"', at + 1);
      fields.push_back(line.substr(at + 1, end - at - 1));
      at = end + 2;
    }
    if (fields.size() == 2) keys.insert({fields[0], fields[1]});
  }
  return keys;
}

TEST(SharedList, ThreeProcessesChangingOneListLoseNothingAndLeaveNothingTwice) {
  testing::TempDrives drives;
  const int n = rounds();
  const std::string drive = " --drive " + quotedArg("C=" + drives.root('C').string());
  drives.write(kList, testing::header());

  // The first start makes the program's folder; the pointer then names the shared list.
  std::ofstream(drives.base() / "init.txt") << "create\nanswer No\nclick\n";
  ASSERT_EQ(std::system((CW_SESSION_BIN + (" " + quotedArg((drives.base() / "init.txt").string())) +
                         drive + " > /dev/null 2>&1")
                            .c_str()),
            0);
  drives.write(kProgramDir + "config", "\"" + kList + "\"\r\n");

  const auto start = std::chrono::steady_clock::now();
  std::vector<FILE*> runs;
  for (int k = 0; k < kProcesses; ++k) {
    const auto script = drives.base() / ("p" + std::to_string(k) + ".txt");
    std::ofstream(script) << scriptOf(k, n);
    const auto out = drives.base() / ("p" + std::to_string(k) + ".out");
    std::string command = std::string(CW_SESSION_BIN) + " " + quotedArg(script.string()) + drive +
                          " > " + quotedArg(out.string()) + " 2>&1";
    runs.push_back(::popen(command.c_str(), "r"));
    ASSERT_NE(runs.back(), nullptr);
  }
  for (int k = 0; k < kProcesses; ++k) {
    const int status = ::pclose(runs[k]);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "process " << k;
    std::ifstream out(drives.base() / ("p" + std::to_string(k) + ".out"));
    for (std::string line; std::getline(out, line);) {
      if (line.starts_with("MSGBOX") || line.starts_with("corbelwick-session")) {
        EXPECT_EQ(line, "MSGBOX \"Would you like to import your existing ArcMap bookmarks?\" -> No")
            << "process " << k;
      }
    }
  }
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("soak: %d processes x %d rounds (%d commands) in %.2f s\n", kProcesses, n,
              kProcesses * (n * 4 + n / 3), seconds);

  std::multiset<std::pair<std::string, std::string>> expected{{"Bookmarks_v2.0", "Bookmarks_v2.0"}};
  std::set<std::string> kept;
  for (int k = 0; k < kProcesses; ++k) {
    for (int i = 0; i < n; ++i) {
      if (removed(i, n)) continue;
      kept.insert(groupName(k, i));
      expected.insert({groupName(k, i), "ud2s88oew"});
      expected.insert({groupName(k, i), "b"});
    }
  }
  EXPECT_EQ(recordKeys(drives.read(kList)), expected);

  // Side files: one area for the one list; a directory per kept group, a file only for "b".
  const auto lists = drives.host(kProgramDir + "BookmarksConfig\\lists");
  ASSERT_TRUE(std::filesystem::is_directory(lists));
  for (const auto& area : std::filesystem::directory_iterator(lists)) {
    for (const auto& entry : std::filesystem::recursive_directory_iterator(area.path())) {
      const auto relative = entry.path().lexically_relative(area.path());
      const std::string group = relative.begin()->string();
      EXPECT_TRUE(kept.count(group)) << relative;
      if (!entry.is_directory()) {
        EXPECT_EQ(relative.filename(), "b") << relative;
      }
    }
  }

  EXPECT_NE(drives.fs().tryLock(kList + ".lock"), nullptr);  // no lock left held
}

}  // namespace
}  // namespace cw
