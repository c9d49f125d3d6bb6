// The layers of the tree, checked on the sources themselves: the core compiles anywhere (no
// operating-system, toolkit or JSON header), lower subsystems never include higher ones, and
// nothing in the core reaches an implementation that lives beside it.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

const fs::path kSource = fs::path(CW_SOURCE_DIR) / "src";

struct Include {
  fs::path file;
  int line;
  bool angled;       // <...>
  std::string name;  // what is included
};

// Every #include of the C++ files directly in `folder` (with `recursive`, below it too).
std::vector<Include> includesOf(const fs::path& folder, bool recursive) {
  std::vector<Include> found;
  static const std::regex include(R"(^\s*#\s*include\s*([<"])([^>"]+)[>"])");
  auto scan = [&](const fs::path& file) {
    const auto ext = file.extension();
    if (ext != ".h" && ext != ".cpp") return;
    std::ifstream in(file);
    std::string text;
    for (int line = 1; std::getline(in, text); ++line) {
      std::smatch m;
      if (std::regex_search(text, m, include)) found.push_back({file, line, m[1] == "<", m[2]});
    }
  };
  if (recursive) {
    for (const auto& entry : fs::recursive_directory_iterator(folder)) scan(entry.path());
  } else {
    for (const auto& entry : fs::directory_iterator(folder)) scan(entry.path());
  }
  return found;
}

std::string where(const Include& inc) {
  return fs::relative(inc.file, kSource).string() + ":" + std::to_string(inc.line) + " includes " +
         (inc.angled ? "<" + inc.name + ">" : "\"" + inc.name + "\"");
}

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

// A core folder and the folders of src/ it may include from.
struct Layer {
  const char* folder;
  bool recursive;
  std::vector<std::string> mayInclude;
};

const std::vector<Layer>& coreLayers() {
  static const std::vector<Layer> layers{
      {"host", false, {"host/"}},
      {"platform", false, {"platform/", "errors/failure.h"}},
      {"errors", false, {"errors/", "platform/"}},
      {"store", false, {"store/", "errors/", "platform/", "host/"}},
      {"ui/controls", false, {"ui/controls/", "errors/", "platform/", "host/"}},
      {"ui", true, {"ui/", "command/", "store/", "errors/", "platform/", "host/"}},
      {"command", false, {"command/", "ui/", "store/", "errors/", "platform/", "host/"}},
  };
  return layers;
}

bool startsWithAny(const std::string& name, const std::vector<std::string>& prefixes) {
  for (const auto& prefix : prefixes) {
    if (name.rfind(prefix, 0) == 0) return true;
  }
  return false;
}

TEST(Layering, TheCoreIncludesOnlyTheStandardLibrary) {
  for (const Layer& layer : coreLayers()) {
    for (const Include& inc : includesOf(kSource / layer.folder, layer.recursive)) {
      if (inc.angled) {
        EXPECT_TRUE(standardHeaders().count(inc.name)) << where(inc);
      }
    }
  }
}

TEST(Layering, LowerLayersNeverIncludeHigherOnes) {
  for (const Layer& layer : coreLayers()) {
    for (const Include& inc : includesOf(kSource / layer.folder, layer.recursive)) {
      if (!inc.angled) {
        EXPECT_TRUE(startsWithAny(inc.name, layer.mayInclude)) << where(inc);
      }
    }
  }
}

TEST(Layering, TheCoreNeverReachesWhatImplementsItsInterfaces) {
  const std::vector<std::string> outside{"convert/",       "frontends/",      "hosts/",
                                         "module/",        "platform/posix/", "platform/testing/",
                                         "platform/win32/"};
  for (const Layer& layer : coreLayers()) {
    for (const Include& inc : includesOf(kSource / layer.folder, layer.recursive)) {
      if (!inc.angled) {
        EXPECT_FALSE(startsWithAny(inc.name, outside)) << where(inc);
      }
    }
  }
}

// The checks above must see something: a moved folder would otherwise pass them silently.
TEST(Layering, EveryCoreFolderHasSources) {
  for (const Layer& layer : coreLayers()) {
    EXPECT_FALSE(includesOf(kSource / layer.folder, layer.recursive).empty()) << layer.folder;
  }
}

}  // namespace
