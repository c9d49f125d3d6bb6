#pragma once

#include <string>

namespace cw {
struct AppState;
}

// The file-system routines of the whole system (unit "CorbelwickGIS_IO").
namespace cw::store {

// Finds the Program Files directory on the first drive A..Z that has one, creates the program
// directory levels and the pointer file, and sets ProgramDrive, ProgramDir and LastListFile.
// 1 on success, -1 on failure (silent, apart from the "can't find" message).
int fCreateProgramDirectory(AppState& app, const std::string& company, const std::string& product,
                            const std::string& pointerFile, const std::string& middle);
// 1 when the file could be opened for appending (it is created when missing), 0 otherwise.
int fCanWriteFile(AppState& app, const std::string& path);
bool fDoesFileExist(AppState& app, const std::string& path);
void fDeleteFile(AppState& app, const std::string& path);
void fCreateDirectory(AppState& app, const std::string& path);
bool fDoesDirectoryExist(AppState& app, const std::string& path);
void fDeleteDirectory(AppState& app, const std::string& path);

}  // namespace cw::store
