#pragma once

#include <memory>
#include <string>

#include "session/session.h"
#include "ui/controls/file_lists.h"
#include "ui/controls/window.h"

namespace cw::errors {
class ErrorReport;
}
namespace cw::platform {
class WindowHost;
}
namespace cw::store {
struct ProgramPaths;
struct Storage;
}  // namespace cw::store

namespace cw::ui {

// What the open-list and save-list windows work with: the error report of their traps, the
// session whose active list they change, the store, the program's places on disk, and the
// toolkit's message box.
struct ListWindowParts {
  const errors::ErrorReport& report;
  Session& session;
  const store::Storage& storage;
  const store::ProgramPaths& paths;
  platform::WindowHost& boxes;
};

// What the open-list and save-list windows share: a modal window with a drive list, a
// directory list and a file list that follow each other, a Cancel that clears the window's flag
// and hides it, and the window's own close control doing what Cancel does. Each window is a new
// object for each showing.
class ListFileWindow : public Window {
 public:
  void Drive1_Change();
  void Dir1_Change();
  void btnCancel_Click();
  void closedByUser() override;

  DriveList& Drive1() { return get<DriveList>("Drive1"); }
  DirectoryList& Dir1() { return get<DirectoryList>("Dir1"); }
  FileList& File1() { return get<FileList>("File1"); }

 protected:
  // `unit` names the window in error reports; `flag` is the session's flag of this window.
  ListFileWindow(const WindowSpec& spec, const ListWindowParts& parts, const char* unit,
                 bool Session::*flag);

  // The lists start at the current directory by themselves; nothing else to prepare.
  void Form_Load() override;
  std::unique_ptr<Control> makeControl(const ControlSpec& spec) override;

  const char* unit() const { return unit_; }

  ListWindowParts parts_;

 private:
  const char* unit_;
  bool Session::*flag_;
};

}  // namespace cw::ui
