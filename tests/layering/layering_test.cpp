// The layers of the tree, checked on the sources themselves: the core compiles anywhere (no
// operating-system, toolkit or JSON header), lower subsystems never include higher ones, and
// nothing in the core reaches an implementation that lives beside it.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "layering/source_includes.h"

namespace {

using namespace cw::layering;

// The C++ standard library, as far as the core uses or may use it.
const std::set<std::string>& standardHeaders() {
  static const std::set<std::string> headers{
      "algorithm",     "any",           "array",     "atomic",      "bit",
      "bitset",        "cassert",       "cctype",    "cerrno",      "cfloat",
      "charconv",      "chrono",        "climits",   "cmath",       "compare",
      "concepts",      "cstddef",       "cstdint",   "cstdio",      "cstdlib",
      "cstring",       "deque",         "exception", "functional",  "initializer_list",
      "iomanip",       "ios",           "iosfwd",    "iterator",    "limits",
      "list",          "map",           "memory",    "new",         "numeric",
      "optional",      "ostream",       "random",    "ranges",      "set",
      "span",          "sstream",       "stdexcept", "string",      "string_view",
      "system_error",  "thread",        "tuple",     "type_traits", "typeinfo",
      "unordered_map", "unordered_set", "utility",   "variant",     "vector"};
  return headers;
}

// The core's folders (with `recursive`, the folders below too).
struct CoreFolder {
  const char* folder;
  bool recursive;
};

const std::vector<CoreFolder>& coreFolders() {
  static const std::vector<CoreFolder> folders{
      {"base", false},  {"host", false}, {"platform", false}, {"errors", false},
      {"store", false}, {"ui", true},    {"command", false},
  };
  return folders;
}

bool startsWithAny(const std::string& name, const std::vector<std::string>& prefixes) {
  for (const auto& prefix : prefixes) {
    if (name.rfind(prefix, 0) == 0) return true;
  }
  return false;
}

TEST(Layering, TheCoreIncludesOnlyTheStandardLibrary) {
  for (const CoreFolder& core : coreFolders()) {
    for (const Include& inc : includesOf(kSource / core.folder, core.recursive)) {
      if (inc.angled) {
        EXPECT_TRUE(standardHeaders().count(inc.name)) << where(inc);
      }
    }
  }
}

// The core and the converter run on every platform: neither reaches what implements the
// platform's or the host's interfaces.
TEST(Layering, ThePortableCodeNeverReachesWhatImplementsTheCoresInterfaces) {
  const std::vector<std::string> outside{"convert/",       "frontends/",      "hosts/",
                                         "module/",        "platform/posix/", "platform/testing/",
                                         "platform/win32/"};
  std::vector<CoreFolder> portable = coreFolders();
  portable.push_back({"convert", false});
  for (const CoreFolder& folder : portable) {
    for (const Include& inc : includesOf(kSource / folder.folder, folder.recursive)) {
      const bool ownFolder = inc.name.rfind(std::string(folder.folder) + "/", 0) == 0;
      if (!inc.angled && !ownFolder && !stillAllowed(inc)) {
        EXPECT_FALSE(startsWithAny(inc.name, outside)) << where(inc);
      }
    }
  }
}

// The checks above must see something: a moved folder would otherwise pass them silently.
TEST(Layering, EveryCoreFolderHasSources) {
  for (const CoreFolder& core : coreFolders()) {
    EXPECT_FALSE(includesOf(kSource / core.folder, core.recursive).empty()) << core.folder;
  }
}

}  // namespace
