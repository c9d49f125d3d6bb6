#include "ui/lists/list_file_window.h"

#include "command/module.h"
#include "errors/error_trap.h"
#include "ui/main/frm_main.h"

namespace cw::ui {

ListFileWindow::ListFileWindow(const WindowSpec& spec, Module& module, const char* unit,
                               bool Session::*flag)
    : Window(spec), module_(module), unit_(unit), flag_(flag) {
  createControls();
  on("Drive1", Event::kChange, [this] { Drive1_Change(); });
  on("Dir1", Event::kChange, [this] { Dir1_Change(); });
  on("btnCancel", Event::kClick, [this] { btnCancel_Click(); });
}

std::unique_ptr<Control> ListFileWindow::makeControl(const ControlSpec& spec) {
  if (auto list = makeFileSystemList(spec, module_.services.fs)) return list;
  return Window::makeControl(spec);
}

void ListFileWindow::Form_Load() {
  errors::ErrorTrap trap(module_.report, "Form_Load", unit_);
  trap.run([] {});
}

void ListFileWindow::Drive1_Change() {
  errors::ErrorTrap trap(module_.report, "Drive1_Change", unit_);
  trap.run([&] {
    trap.at(1);  // the directory list follows the drive
    Dir1().setPath(Drive1().drive());
  });
}

void ListFileWindow::Dir1_Change() {
  errors::ErrorTrap trap(module_.report, "Dir1_Change", unit_);
  trap.run([&] {
    trap.at(1);  // the file list follows the directory
    File1().setPath(Dir1().path());
  });
}

void ListFileWindow::btnCancel_Click() {
  errors::ErrorTrap trap(module_.report, "btnCancel_Click", unit_);
  trap.run([&] {
    trap.at(1);  // the window no longer shows
    module_.session.*flag_ = false;
    trap.at(2);  // hide the window
    hide();
  });
}

void ListFileWindow::closedByUser() {
  btnCancel_Click();
}

FrmMain& ListFileWindow::mainWindow() {
  if (!module_.mainWindow) {
    throw Failure(err::kObjectVariableNotSet, "Object variable or With block variable not set");
  }
  return *module_.mainWindow;
}

}  // namespace cw::ui
