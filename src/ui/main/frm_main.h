#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/window_host.h"
#include "session/active_list_display.h"
#include "store/bookmark_store.h"
#include "ui/controls/list_box.h"
#include "ui/controls/simple_controls.h"
#include "ui/controls/window.h"
#include "ui/help/frm_help.h"
#include "ui/lists/list_file_window.h"

namespace cw {
struct ProductIdentity;
struct Session;
}  // namespace cw
namespace cw::errors {
class ErrorReport;
}
namespace cw::host {
class DataFrame;
class FrameProvider;
class HostFrame;
class HostView;
class LayoutElement;
}  // namespace cw::host
namespace cw::platform {
class Shell;
class WindowHost;
}  // namespace cw::platform
namespace cw::store {
struct ProgramPaths;
struct Storage;
}  // namespace cw::store

namespace cw::ui {

class WindowRegistry;

// What the bookmarks window works with: the error report of its traps, the session it shares
// with the other windows, the store, the program's places on disk, the toolkit's boxes and
// frames, the shell for its link, the product's identity, and the registry that keeps the
// windows it shows.
struct MainWindowParts {
  const errors::ErrorReport& report;
  Session& session;
  const store::Storage& storage;
  const store::ProgramPaths& paths;
  platform::WindowHost& boxes;
  platform::Shell& shell;
  host::FrameProvider& frames;
  const ProductIdentity& identity;
  WindowRegistry& windows;
};

// The parts of the windows the bookmarks window shows, taken from its own.
HelpWindowParts helpWindowPartsOf(const MainWindowParts& parts);
ListWindowParts listWindowPartsOf(const MainWindowParts& parts);

// The one description of the bookmarks window.
const WindowSpec& frmMainSpec();

// The bookmarks window. Handlers are grouped in one source file per concern:
// frm_main_startup.cpp (Frame, Form_Load, btnClose_Click), frm_main_select.cpp
// (lstbxGroup_Click), frm_main_add.cpp, frm_main_zoom.cpp, frm_main_legend.cpp,
// frm_main_remove.cpp, frm_main_import.cpp, frm_main_lists.cpp, frm_main_help.cpp.
class FrmMain : public Window, public ActiveListDisplay, private store::ListObserver {
 public:
  explicit FrmMain(const MainWindowParts& parts);
  ~FrmMain() override;

  // The host frame that shows this window, created (and the window loaded) on first read.
  host::HostFrame* Frame();

  // Group list and selection.
  void lstbxGroup_Click();
  // What the list windows tell it of a new active list.
  void showListPath(const std::string& path) override;
  void showGroups(std::vector<std::string> groups) override;
  void LoadGroupList() override;
  // The groups the active list holds now, read afresh (another program may have added some
  // since the window listed them); those the window shows when the list cannot be read.
  std::vector<std::string> groupsOfActiveList();
  // Adding.
  void cmdbtnAddGroup_Click();
  void cmdbtnAddCurExtent_Click();
  // Zoom and legend.
  void btnZoom_Click();
  void lstbxExtentName_DblClick();
  host::LayoutElement* GetLegendElement(host::DataFrame* map);
  void RefreshLegend(host::LayoutElement* element, host::HostView* view);
  // Removal.
  void btnRemoveExtent_Click();
  void btnRemoveGroup_Click();
  // Import.
  void btnImport_Click();
  // Whole lists.
  void btnNewList_Click();
  void btnReset_Click();
  void btnLoadList_Click();
  void btnSaveList_Click();
  // Help and links.
  void btnHelp_Click();
  void btnHelp2_Click();
  void Image2_Click();
  // Closing.
  void btnClose_Click();

  // Controls.
  ListBox& lstbxGroup() { return get<ListBox>("lstbxGroup"); }
  ListBox& lstbxExtentName() { return get<ListBox>("lstbxExtentName"); }
  CheckBox& chkViz() { return get<CheckBox>("chkViz"); }
  TextBox& Text1() { return get<TextBox>("Text1"); }

 protected:
  void Form_Load() override;

 private:
  // The zoom that both zoom handlers run, under the caller's routine name.
  void zoomToSelectedBookmark(const char* routine);
  // Adds to the active list through the store, which tells this window what it added: a new
  // group is listed and selected, a new bookmark listed.
  void createGroup(const std::string& group);
  void addBookmark(const store::Bookmark& bookmark);
  void groupAdded(const std::string& group) override;
  void groupSettled(const std::string& group) override;
  void bookmarkAdded(const store::Bookmark& bookmark) override;
  // True, and the user told, when the list cannot be written (the write-access test).
  bool refusedWriteAccess(const std::string& path);
  // A message box with OK; a question with Yes and No (true for Yes).
  void tell(std::string_view text);
  bool ask(std::string_view question);

  // The list model of the active list.
  store::BookmarkList activeList() const;

  MainWindowParts parts_;
  host::HostFrame* frame_ = nullptr;
};

}  // namespace cw::ui
