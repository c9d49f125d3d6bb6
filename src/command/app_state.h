#pragma once

#include <memory>
#include <string>

#include "platform/file_slots.h"
#include "platform/file_system.h"
#include "platform/toolkit.h"

namespace cw::host {
class MapHost;
class HostDocument;
}  // namespace cw::host

namespace cw::ui {
class FrmMain;
class Window;
}  // namespace cw::ui

namespace cw {

// Product identity and the addresses the system names (reserved example domain).
namespace product {
inline constexpr const char* kCompanyName = "CorbelwickGIS";
inline constexpr const char* kProductName = "CorbelwickBookmarks";
inline constexpr const char* kProductVersion = "v2.19";
inline constexpr const char* kFileVersion = "2.19.0038";
inline constexpr const char* kSupportEmail = "support@corbelwickgis.example";
inline constexpr const char* kInfoEmail = "info@corbelwickgis.example";
inline constexpr const char* kWebSite = "http://www.corbelwickgis.example";
inline constexpr const char* kForumPage = "http://www.corbelwickgis.example/forum/corbelwickbookmarks";
inline constexpr const char* kProductPagePath = "/Products/ArcGIS/CorbelwickBookmarks/index.htm";
}  // namespace product

// The process-wide state: one set per process, shared by every command instance and every
// window. The module owns one; tests make their own. It also carries the platform services the
// system reaches (file system, file numbers, toolkit) and the running host.
struct AppState {
  AppState(platform::FileSystem& fs, platform::Toolkit& toolkit, host::MapHost& host);
  ~AppState();

  // Services.
  platform::FileSystem& fs;
  platform::FileSlots files;
  platform::Toolkit& toolkit;
  host::MapHost& hostApplication;  // the application-reference object of the running host

  // Product identity (set by the command's creation).
  std::string CompanyName;
  std::string ProductName;
  std::string ProductVersion;

  // Fixed places on disk.
  std::string ProgramDrive;
  std::string ProgramDir;
  std::string LastListFile;
  std::string ConfigDir;
  std::string InitMarkerFile() const { return ProgramDir + "init"; }
  std::string DefaultListPath() const { return ProgramDir + "bookmarks_default.bmk"; }

  // Lists and selections.
  std::string ActiveListPath;
  std::string FormatTag;
  std::string SelectedGroup;
  std::string SelectedBookmark;
  bool OpenListWindowActive = false;
  bool SaveListWindowActive = false;

  // Host objects of the most recent click.
  host::MapHost* MapHost = nullptr;
  host::HostDocument* HostDocument = nullptr;

  // The bookmarks window object, replaced at each successful creation of the command.
  std::unique_ptr<ui::FrmMain> mainWindow;
  // Windows that are alive (shown modally or in a frame), newest last; front ends and the
  // session runner find windows here by name.
  std::vector<ui::Window*> liveWindows;
  std::vector<std::unique_ptr<ui::Window>> ownedWindows;  // help windows shown in frames

  // True when the active list lies on the program's drive (first character compared exactly).
  bool activeListOnProgramDrive() const;
};

}  // namespace cw
