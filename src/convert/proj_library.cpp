#include "convert/proj_library.h"

#include <dlfcn.h>

#include <mutex>
#include <string>

#include "convert/bookmark.h"

namespace cw::convert {

namespace {

struct Loaded {
  ProjLibrary library;
  std::string problem;  // "" once every function is found
};

Loaded load() {
  Loaded loaded;
  // The library the converter was built against (CW_PROJ_LIBRARY_FILE, from the build), so its
  // functions are those of the header.
  void* handle = ::dlopen(CW_PROJ_LIBRARY_FILE, RTLD_NOW | RTLD_LOCAL);
  if (!handle) {
    loaded.problem = ::dlerror();
    return loaded;
  }
#define CW_PROJ_FIND(name)                                                           \
  loaded.library.name = reinterpret_cast<decltype(&::name)>(::dlsym(handle, #name)); \
  if (!loaded.library.name) {                                                        \
    loaded.problem = std::string(CW_PROJ_LIBRARY_FILE) + " has no " #name;           \
    return loaded;                                                                   \
  }
  CW_PROJ_FUNCTIONS(CW_PROJ_FIND)
#undef CW_PROJ_FIND
  return loaded;  // the library stays loaded for the rest of the program
}

}  // namespace

const ProjLibrary& Proj() {
  static const Loaded loaded = load();
  if (!loaded.problem.empty()) {
    throw InputError("PROJ", "",
                     "the reference-system library cannot be loaded: " + loaded.problem);
  }
  return loaded.library;
}

}  // namespace cw::convert
