#include "store/file_utilities.h"

#include <initializer_list>
#include <new>
#include <vector>

#include "errors/error_report.h"
#include "errors/error_trap.h"
#include "platform/file_slots.h"
#include "platform/file_system.h"
#include "platform/window_host.h"

namespace cw::store {

namespace {

constexpr const char* kUnit = "CorbelwickGIS_IO";

// The trap of the routines that never report: a failure closes the routine's file numbers and
// ends the body, leaving the result as it stood.
template <class Body>
void runSilently(const Storage& storage, std::initializer_list<int> fileNumbers, Body&& body) {
  auto closeFiles = [&] {
    for (int number : fileNumbers) errors::ignoreFailure([&] { storage.files.close(number); });
  };
  try {
    body();
  } catch (const Failure&) {
    closeFiles();
  } catch (const std::bad_alloc&) {
    closeFiles();
  }
}

}  // namespace

int fCreateProgramDirectory(const Storage& storage, ProgramPaths& paths, const std::string& company,
                            const std::string& product, const std::string& pointerFile,
                            const std::string& middle) {
  int result = -1;
  runSilently(storage, {1}, [&] {
    // 1. The first drive A..Z with a Program Files directory.
    std::string drive;
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
      if (fDoesDirectoryExist(storage, std::string{letter} + ":\\Program Files\\")) {
        drive = std::string{letter};
        break;
      }
    }
    // 2.
    if (drive.empty()) {
      storage.windows.messageBox(
          "Sorry, " + storage.report.identity().ProductName +
              " can't find your local Program Files directory. Please email " +
              product::kSupportEmail + ". Thanks!",
          platform::MessageButtons::kOk);
      return;
    }
    paths.ProgramDrive = drive;

    // 3 to 5. Each level on its own, outer level first; a level that cannot be made shows up
    // when the pointer file cannot be created.
    auto ensureDirectory = [&](const std::string& dir) {
      if (!fDoesDirectoryExist(storage, dir)) fCreateDirectory(storage, dir);
    };
    std::string dir = paths.ProgramDrive + ":\\Program Files\\" + company + "\\";
    ensureDirectory(dir);
    if (!middle.empty()) {
      dir += middle + "\\";
      ensureDirectory(dir);
    }
    dir += product + "\\";
    ensureDirectory(dir);
    paths.ProgramDir = dir;

    // 6. The pointer file, created empty when missing; an existing one is left as it is.
    std::string file;
    if (!pointerFile.empty()) {
      file = dir + pointerFile;
      if (!fDoesFileExist(storage, file)) {
        storage.files.close(1);
        storage.files.openForAppend(1, file);
        storage.files.close(1);
      }
    }

    // 7.
    paths.LastListFile = file;
    result = 1;
  });
  return result;
}

int fCanWriteFile(const Storage& storage, const std::string& path) {
  int result = 0;
  runSilently(storage, {1}, [&] {
    storage.files.close(1);
    storage.files.openForAppend(1, path);
    storage.files.close(1);
    result = 1;
  });
  return result;
}

bool fDoesFileExist(const Storage& storage, const std::string& path) {
  bool result = false;
  errors::ErrorTrap trap(storage.report, "fDoesFileExist", kUnit);
  trap.run([&] {
    trap.at(1);  // ask whether the file exists
    result = storage.fs.fileExists(path);
  });
  return result;
}

void fDeleteFile(const Storage& storage, const std::string& path) {
  errors::ErrorTrap trap(storage.report, "fDeleteFile", kUnit);
  trap.run([&] {
    trap.at(1);  // nothing to do for a missing file
    if (!fDoesFileExist(storage, path)) return;
    // A read-only file stays and is reported; its attribute is not cleared.
    trap.at(2);  // delete the file
    storage.fs.deleteFile(path);
  });
}

void fCreateDirectory(const Storage& storage, const std::string& path) {
  errors::ignoreFailure([&] { storage.fs.createDirectory(path); });
}

bool fDoesDirectoryExist(const Storage& storage, const std::string& path) {
  bool result = false;
  errors::ErrorTrap trap(storage.report, "fDoesDirectoryExist", kUnit);
  trap.run([&] {
    trap.at(1);  // ask whether the directory exists
    result = storage.fs.directoryExists(path);
  });
  return result;
}

void fDeleteDirectory(const Storage& storage, const std::string& path) {
  // A directory that is not there has nothing to delete; a cleared list names many groups that
  // never had side files, and each would otherwise cost two failed calls.
  bool exists = false;
  errors::ignoreFailure([&] { exists = storage.fs.directoryExists(path); });
  if (!exists) return;
  // 1. Every entry, directories, hidden and system entries included. The listing is a snapshot,
  // so a descent does not disturb it and no entry is passed over.
  std::vector<platform::DirEntry> entries;
  errors::ignoreFailure([&] {
    entries = storage.fs.listDirectory(
        path, platform::kDirectory | platform::kHidden | platform::kSystem);
  });
  // 2. Files lose their attributes and go; directories go depth first. A link to a directory
  // goes as a link: what it leads to belongs elsewhere.
  for (const auto& entry : entries) {
    if (entry.name == "." || entry.name == "..") continue;
    const std::string child = path + "\\" + entry.name;
    if (!(entry.attributes & platform::kDirectory)) {
      if (!(entry.attributes & platform::kReparsePoint)) {
        errors::ignoreFailure([&] { storage.fs.setAttributes(child, platform::kNormal); });
      }
      errors::ignoreFailure([&] { storage.fs.deleteFile(child); });
    } else if (entry.attributes & platform::kReparsePoint) {
      errors::ignoreFailure([&] { storage.fs.removeDirectory(child); });
    } else {
      fDeleteDirectory(storage, child);
    }
  }
  // 3.
  errors::ignoreFailure([&] { storage.fs.removeDirectory(path); });
}

}  // namespace cw::store
