#pragma once

#include <string>

#include "store/program_paths.h"
#include "store/storage.h"

// The file-system routines of the whole system (unit "CorbelwickGIS_IO").
namespace cw::store {

// Finds the Program Files directory on the first drive A..Z that has one, creates the program
// directory levels and the pointer file, and sets ProgramDrive, ProgramDir and LastListFile.
// 1 on success, -1 on failure (silent, apart from the "can't find" message).
int fCreateProgramDirectory(const Storage& storage, ProgramPaths& paths, const std::string& company,
                            const std::string& product, const std::string& pointerFile,
                            const std::string& middle);
// 1 when the file could be opened for appending (it is created when missing), 0 otherwise.
int fCanWriteFile(const Storage& storage, const std::string& path);
bool fDoesFileExist(const Storage& storage, const std::string& path);
void fDeleteFile(const Storage& storage, const std::string& path);
void fCreateDirectory(const Storage& storage, const std::string& path);
bool fDoesDirectoryExist(const Storage& storage, const std::string& path);
void fDeleteDirectory(const Storage& storage, const std::string& path);

}  // namespace cw::store
