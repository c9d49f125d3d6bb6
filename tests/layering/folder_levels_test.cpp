// Every library of the tree has its level, and a folder includes only from folders of lower
// levels: lower never includes higher, and folders of one level never include each other, so
// the folders cannot form a cycle.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "layering/source_includes.h"

namespace {

using namespace cw::layering;

const std::map<std::string, int>& folderLevels() {
  static const std::map<std::string, int> levels{
      // The bottom: the failure type and the product's identity.
      {"src/base", 0},
      // The core's interfaces to the world outside it: the platform's and the map host's.
      {"src/platform", 1},
      {"src/host", 1},
      // The error report and trap above the platform; the control models and window base; the
      // platform's implementations.
      {"src/errors", 2},
      {"src/ui/controls", 2},
      {"src/platform/posix", 2},
      {"src/platform/win32", 2},
      {"src/platform/testing", 2},
      // The list store, and the converter over it.
      {"src/store", 3},
      {"src/convert", 4},
      // What the user is working on, which the windows share.
      {"src/session", 4},
      // The windows, the bookmarks window over the ones it opens, and the command over them.
      {"src/ui/help", 5},
      {"src/ui/lists", 5},
      {"src/ui/main", 6},
      {"src/command", 7},
      // Hosts and front ends beside the core: none includes another.
      {"src/hosts/standin", 8},
      {"src/hosts/com", 8},
      {"src/frontends/headless", 8},
      {"src/frontends/qt", 8},
      {"src/frontends/win32", 8},
      // The host's interfaces as the stand-in declares them, apart from the module's.
      {"src/hosts/comhost/idl", 8},
      // What is made of them: the DLL, the stand-in COM host application, the programs.
      {"src/module", 9},
      {"src/hosts/comhost", 9},
      {"apps/shared", 9},
      {"apps/corbelwick-convert", 10},
      {"apps/corbelwick-desktop", 10},
      {"apps/corbelwick-host", 10},
      {"apps/corbelwick-session", 10},
  };
  return levels;
}

// Every folder of src/ and apps/ that holds C++ sources.
std::set<std::string> foldersWithSources() {
  std::set<std::string> folders;
  for (const char* top : {"src", "apps"}) {
    for (const auto& entry : fs::recursive_directory_iterator(kRoot / top)) {
      const auto ext = entry.path().extension();
      if (ext == ".h" || ext == ".cpp") folders.insert(folderOfFile(entry.path()));
    }
  }
  return folders;
}

TEST(FolderLevels, EveryFolderWithSourcesHasALevelAndEveryLevelAFolder) {
  const std::set<std::string> folders = foldersWithSources();
  for (const std::string& folder : folders) {
    EXPECT_TRUE(folderLevels().count(folder)) << folder << " has no level";
  }
  for (const auto& [folder, level] : folderLevels()) {
    EXPECT_TRUE(folders.count(folder)) << folder << " holds no sources";
  }
}

TEST(FolderLevels, AFolderIncludesOnlyFromLowerLevels) {
  for (const auto& [folder, level] : folderLevels()) {
    for (const Include& inc : includesOf(kRoot / folder, false)) {
      if (inc.angled) continue;
      const std::string target = folderOfInclude(inc.name);
      if (target.empty() || target == folder) continue;
      const auto found = folderLevels().find(target);
      ASSERT_NE(found, folderLevels().end()) << where(inc) << ": " << target << " has no level";
      if (found->second < level) continue;
      if (stillAllowed(inc)) continue;
      ADD_FAILURE() << where(inc) << ": " << folder << " (level " << level << ") includes "
                    << target << " (level " << found->second << ")";
    }
  }
}

// An allowance whose include has gone is deleted with it, so the list only ever shrinks.
TEST(FolderLevels, EveryAllowanceIsStillNeeded) {
  for (const Allowance& allowance : allowances()) {
    bool used = false;
    for (const Include& inc : includesOf(kRoot / allowance.from, false)) {
      used = used || (!inc.angled && folderOfInclude(inc.name) == allowance.to);
    }
    EXPECT_TRUE(used) << allowance.from << " no longer includes " << allowance.to
                      << ": delete the allowance";
  }
}

}  // namespace
