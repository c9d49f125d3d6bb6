#include "command/app_state.h"

#include "ui/main/frm_main.h"

namespace cw {

AppState::AppState(platform::FileSystem& fs_, platform::Toolkit& toolkit_,
                   host::MapHost& hostApplication_)
    : fs(fs_), files(fs_), toolkit(toolkit_), hostApplication(hostApplication_) {}

AppState::~AppState() = default;

bool AppState::activeListOnProgramDrive() const {
  return !ActiveListPath.empty() && !ProgramDrive.empty() && ActiveListPath[0] == ProgramDrive[0];
}

}  // namespace cw
