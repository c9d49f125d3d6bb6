#pragma once

// The whole system on temporary drives, for tests that drive the command and its windows:
//
//   cw::testing::TestApp t;                     // C: with "Program Files", one map with a layer
//   t.command.OnCreate(&t.host);                // program directory, window object
//   t.command.OnClick();                        // shows frmMain on the default list
//   t.drives.write(t.programDir() + "config", "\"C:\\lists\\a.bmk\"\r\n");
//   EXPECT_EQ(t.toolkit.messages.back(), "...");
//
//   cw::testing::TestApp other(R"({"dataFrames": []})");        // a document of your own
//   cw::testing::TestApp d(TestApp::kOneMapDocument, "CD", "D"); // Program Files on D: only
//
// Members are public and built in this order: drives (with their DriveFileSystem), toolkit
// (headless: queue answers before the boxes appear), host (the running application over the
// document), module (the process-wide state over all three) and command.

#include <string>
#include <string_view>

#include "command/corbelwick_bookmarks.h"
#include "command/module.h"
#include "frontends/headless/headless_toolkit.h"
#include "hosts/standin/standin.h"
#include "support/temp_drives.h"
#include "ui/main/frm_main.h"

namespace cw::testing {

struct TestApp {
  // One data frame "Main Map" holding one feature layer "Roads".
  static constexpr std::string_view kOneMapDocument = R"({"dataFrames": [
      {"name": "Main Map", "extent": [0, 0, 100, 100],
       "layers": [{"name": "Roads", "kind": "feature", "visible": true}]}]})";

  explicit TestApp(std::string_view documentJson = kOneMapDocument,
                   std::string_view driveLetters = "C", std::string_view programFiles = "C")
      : drives(driveLetters, programFiles),
        host(standin::loadDocument(documentJson)),
        module(drives.fs(), toolkit, toolkit, host) {}

  // The program directory the command makes with Program Files on `drive`.
  static std::string programDir(char drive = 'C') {
    return std::string(1, drive) + ":\\Program Files\\CorbelwickGIS\\CorbelwickBookmarks\\";
  }

  // The command created and clicked: frmMain loaded and shown on the starting list.
  void start() {
    command.OnCreate(&host);
    command.OnClick();
  }

  // Started on `listPath` holding `content`: the pointer file names the list.
  void startOnList(const std::string& listPath, const std::string& content) {
    drives.write(programDir() + "config", "\"" + listPath + "\"\r\n");
    drives.write(listPath, content);
    start();
  }

  // The bookmarks window object; a creation must have succeeded before.
  ui::FrmMain& window() { return *module.mainWindow; }

  TempDrives drives;
  headless::HeadlessToolkit toolkit;
  standin::Application host;
  Module module;
  CorbelwickBookmarks command{module};
};

// Selects the last entry of that text, as a click on it would (nothing when there is none).
inline void selectEntry(ui::ListBox& box, const std::string& text) {
  for (int i = 0; i < box.count(); ++i) {
    if (box.item(i) == text) box.select(i);
  }
}

}  // namespace cw::testing
