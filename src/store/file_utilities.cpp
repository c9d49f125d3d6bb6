#include "store/file_utilities.h"

#include <exception>
#include <initializer_list>
#include <vector>

#include "command/app_state.h"
#include "errors/error_trap.h"

namespace cw::store {

namespace {

constexpr const char* kUnit = "CorbelwickGIS_IO";

// The trap of the routines that never report: a failure closes the routine's file numbers and
// ends the body, leaving the result as it stood.
template <class Body>
void runSilently(AppState& app, std::initializer_list<int> fileNumbers, Body&& body) {
  try {
    body();
  } catch (const std::exception&) {
    for (int number : fileNumbers) errors::ignoreFailure([&] { app.files.close(number); });
  }
}

}  // namespace

int fCreateProgramDirectory(AppState& app, const std::string& company, const std::string& product,
                            const std::string& pointerFile, const std::string& middle) {
  int result = -1;
  runSilently(app, {1}, [&] {
    // 1. The first drive A..Z with a Program Files directory.
    std::string drive;
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
      if (fDoesDirectoryExist(app, std::string{letter} + ":\\Program Files\\")) {
        drive = std::string{letter};
        break;
      }
    }
    // 2.
    if (drive.empty()) {
      app.toolkit.messageBox("Sorry, " + app.ProductName +
                                 " can't find your local Program Files directory. Please email " +
                                 product::kSupportEmail + ". Thanks!",
                             platform::MessageButtons::kOk);
      return;
    }
    app.ProgramDrive = drive;

    // 3 to 5. Each level on its own, outer level first; a level that cannot be made shows up
    // when the pointer file cannot be created.
    auto ensureDirectory = [&](const std::string& dir) {
      if (!fDoesDirectoryExist(app, dir)) fCreateDirectory(app, dir);
    };
    std::string dir = app.ProgramDrive + ":\\Program Files\\" + company + "\\";
    ensureDirectory(dir);
    if (!middle.empty()) {
      dir += middle + "\\";
      ensureDirectory(dir);
    }
    dir += product + "\\";
    ensureDirectory(dir);
    app.ProgramDir = dir;

    // 6. The pointer file, created empty when missing; an existing one is left as it is.
    std::string file;
    if (!pointerFile.empty()) {
      file = dir + pointerFile;
      if (!fDoesFileExist(app, file)) {
        app.files.close(1);
        app.files.openForAppend(1, file);
        app.files.close(1);
      }
    }

    // 7.
    app.LastListFile = file;
    result = 1;
  });
  return result;
}

int fCanWriteFile(AppState& app, const std::string& path) {
  int result = 0;
  runSilently(app, {1}, [&] {
    app.files.close(1);
    app.files.openForAppend(1, path);
    app.files.close(1);
    result = 1;
  });
  return result;
}

bool fDoesFileExist(AppState& app, const std::string& path) {
  bool result = false;
  errors::ErrorTrap trap(app, "fDoesFileExist", kUnit);
  trap.run([&] {
    trap.at(1);
    result = app.fs.fileExists(path);
  });
  return result;
}

void fDeleteFile(AppState& app, const std::string& path) {
  errors::ErrorTrap trap(app, "fDeleteFile", kUnit);
  trap.run([&] {
    trap.at(1);
    if (!fDoesFileExist(app, path)) return;
    // A read-only file stays and is reported; its attribute is not cleared.
    trap.at(2);
    app.fs.deleteFile(path);
  });
}

void fCreateDirectory(AppState& app, const std::string& path) {
  errors::ignoreFailure([&] { app.fs.createDirectory(path); });
}

bool fDoesDirectoryExist(AppState& app, const std::string& path) {
  bool result = false;
  errors::ErrorTrap trap(app, "fDoesDirectoryExist", kUnit);
  trap.run([&] {
    trap.at(1);
    result = app.fs.directoryExists(path);
  });
  return result;
}

void fDeleteDirectory(AppState& app, const std::string& path) {
  // A directory that is not there has nothing to delete; a cleared list names many groups that
  // never had side files, and each would otherwise cost two failed calls.
  bool exists = false;
  errors::ignoreFailure([&] { exists = app.fs.directoryExists(path); });
  if (!exists) return;
  // 1. Every entry, directories, hidden and system entries included. The listing is a snapshot,
  // so a descent does not disturb it and no entry is passed over.
  std::vector<platform::DirEntry> entries;
  errors::ignoreFailure([&] {
    entries =
        app.fs.listDirectory(path, platform::kDirectory | platform::kHidden | platform::kSystem);
  });
  // 2. Files lose their attributes and go; directories go depth first. A link to a directory
  // goes as a link: what it leads to belongs elsewhere.
  for (const auto& entry : entries) {
    if (entry.name == "." || entry.name == "..") continue;
    const std::string child = path + "\\" + entry.name;
    if (!(entry.attributes & platform::kDirectory)) {
      if (!(entry.attributes & platform::kReparsePoint)) {
        errors::ignoreFailure([&] { app.fs.setAttributes(child, platform::kNormal); });
      }
      errors::ignoreFailure([&] { app.fs.deleteFile(child); });
    } else if (entry.attributes & platform::kReparsePoint) {
      errors::ignoreFailure([&] { app.fs.removeDirectory(child); });
    } else {
      fDeleteDirectory(app, child);
    }
  }
  // 3.
  errors::ignoreFailure([&] { app.fs.removeDirectory(path); });
}

}  // namespace cw::store
