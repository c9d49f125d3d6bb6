#include "ui/lists/list_file_window.h"

#include "errors/error_trap.h"
#include "store/storage.h"

namespace cw::ui {

ListFileWindow::ListFileWindow(const WindowSpec& spec, const ListWindowParts& parts,
                               const char* unit, bool Session::*flag)
    : Window(spec), parts_(parts), unit_(unit), flag_(flag) {
  createControls();
  on("Drive1", Event::kChange, [this] { Drive1_Change(); });
  on("Dir1", Event::kChange, [this] { Dir1_Change(); });
  on("btnCancel", Event::kClick, [this] { btnCancel_Click(); });
}

std::unique_ptr<Control> ListFileWindow::makeControl(const ControlSpec& spec) {
  if (auto list = makeFileSystemList(spec, parts_.storage.fs)) return list;
  return Window::makeControl(spec);
}

void ListFileWindow::Form_Load() {
  errors::ErrorTrap trap(parts_.report, "Form_Load", unit_);
  trap.run([] {});
}

void ListFileWindow::Drive1_Change() {
  errors::ErrorTrap trap(parts_.report, "Drive1_Change", unit_);
  trap.run([&] {
    trap.at(1);  // the directory list follows the drive
    Dir1().setPath(Drive1().drive());
  });
}

void ListFileWindow::Dir1_Change() {
  errors::ErrorTrap trap(parts_.report, "Dir1_Change", unit_);
  trap.run([&] {
    trap.at(1);  // the file list follows the directory
    File1().setPath(Dir1().path());
  });
}

void ListFileWindow::btnCancel_Click() {
  errors::ErrorTrap trap(parts_.report, "btnCancel_Click", unit_);
  trap.run([&] {
    trap.at(1);  // the window no longer shows
    parts_.session.*flag_ = false;
    trap.at(2);  // hide the window
    hide();
  });
}

void ListFileWindow::closedByUser() {
  btnCancel_Click();
}

}  // namespace cw::ui
