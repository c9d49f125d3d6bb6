#include "ui/lists/frm_load_list.h"

#include <cstdint>

#include "command/app_state.h"
#include "errors/error_trap.h"
#include "store/file_utilities.h"
#include "store/group_list.h"
#include "store/list_format.h"
#include "ui/main/frm_main.h"

namespace cw::ui {

namespace {

constexpr const char* kUnit = "frmLoad";

// The process-wide bookmarks window, whose path box and lists follow the active list.
FrmMain& mainWindowOf(AppState& app) {
  if (!app.mainWindow) {
    throw Failure(err::kObjectVariableNotSet, "Object variable or With block variable not set");
  }
  return *app.mainWindow;
}

}  // namespace

const WindowSpec& frmLoadListSpec() {
  using K = ControlKind;
  static const WindowSpec spec{
      "frmLoadList",
      "Open Saved Bookmark File",
      4815,
      3510,
      "MS Sans Serif",
      {
          {"Drive1", K::kDriveList, "", "", "", {120, 120, 2280, 315}},
          {"Dir1", K::kDirectoryList, "", "", "", {120, 540, 2280, 2340}},
          {"File1", K::kFileList, "", "*.bmk", "", {2520, 420, 2175, 2460}},
          {"Label2", K::kLabel, "", "Existing bookmark files:", "", {2520, 150, 2175, 255}},
          {"btnOpen", K::kButton, "", "Open", "", {2520, 3000, 975, 375}},
          {"btnCancel", K::kButton, "", "Cancel", "", {3720, 3000, 975, 375}},
      }};
  return spec;
}

FrmLoadList::FrmLoadList(AppState& app) : Window(frmLoadListSpec()), app_(app) {
  createControls();
  on("Drive1", Event::kChange, [this] { Drive1_Change(); });
  on("Dir1", Event::kChange, [this] { Dir1_Change(); });
  on("File1", Event::kClick, [this] { File1_Click(); });
  on("File1", Event::kDblClick, [this] { File1_DblClick(); });
  on("btnOpen", Event::kClick, [this] { btnOpen_Click(); });
  on("btnCancel", Event::kClick, [this] { btnCancel_Click(); });
}

std::unique_ptr<Control> FrmLoadList::makeControl(const ControlSpec& spec) {
  if (auto list = makeFileSystemList(spec, app_.fs)) return list;
  return Window::makeControl(spec);
}

void FrmLoadList::Form_Load() {
  // The lists start at the current directory by themselves; nothing else to prepare.
  errors::ErrorTrap trap(app_, "Form_Load", kUnit);
  trap.run([] {});
}

void FrmLoadList::Drive1_Change() {
  errors::ErrorTrap trap(app_, "Drive1_Change", kUnit);
  trap.run([&] {
    trap.at(1);
    Dir1().setPath(Drive1().drive());
  });
}

void FrmLoadList::Dir1_Change() {
  errors::ErrorTrap trap(app_, "Dir1_Change", kUnit);
  trap.run([&] {
    trap.at(1);
    File1().setPath(Dir1().path());
  });
}

void FrmLoadList::File1_Click() {
  // Choosing a file only selects it.
  errors::ErrorTrap trap(app_, "File1_Click", kUnit);
  trap.run([] {});
}

void FrmLoadList::File1_DblClick() {
  // Closes the files of a failed open too, so none stays open behind the window.
  errors::ErrorTrap trap(app_, "File1_DblClick", kUnit, {1, 2, 3});
  trap.run([&] { openChosenList(trap); });
}

void FrmLoadList::btnOpen_Click() {
  errors::ErrorTrap trap(app_, "btnOpen_Click", kUnit, {1, 2, 3});
  trap.run([&] {
    openChosenList(trap);
    trap.at(8);
    app_.files.close(1);
    app_.files.close(2);
  });
}

void FrmLoadList::btnCancel_Click() {
  errors::ErrorTrap trap(app_, "btnCancel_Click", kUnit);
  trap.run([&] {
    trap.at(1);
    app_.OpenListWindowActive = false;
    trap.at(2);
    hide();
  });
}

void FrmLoadList::closedByUser() {
  btnCancel_Click();
}

void FrmLoadList::openChosenList(errors::ErrorTrap& trap) {
  auto& files = app_.files;
  trap.at(1);
  if (File1().selectedIndex() == FileList::kNone) {
    app_.toolkit.messageBox("Please select a file to load.", platform::MessageButtons::kOk);
    return;
  }
  trap.at(2);
  std::string candidate = joinWindowsPath(Dir1().path(), File1().selectedName());

  // The whole content is read once to count its fields; a file that cannot be read fails here,
  // before anything has changed. The same read gathers the groups of what looks like a list,
  // so a valid one needs no second read to be shown.
  trap.at(3);
  files.close(1);
  files.close(2);
  files.openForInput(2, candidate);
  std::int64_t fieldCount = 0;
  bool looksLikeList = false;
  store::GroupNames groups;
  store::Field recordFirst;
  while (!store::endOfFile(files, 2)) {
    store::Field field = store::readField(files, 2);
    const auto place = fieldCount % store::kFieldsPerRecord;
    if (fieldCount == 0) looksLikeList = field.equals(store::kFormatTag);
    if (looksLikeList) {
      if (place == 0) {
        recordFirst = std::move(field);
      } else if (place == 1 && !recordFirst.equals(store::kFormatTag)) {
        groups.addRecord(std::move(recordFirst), field);
      }
    }
    ++fieldCount;
  }
  files.close(2);

  trap.at(4);
  files.openForInput(2, candidate);
  store::Field first;
  if (fieldCount > 0) first = store::readField(files, 2);

  trap.at(5);
  if (!first.equals(store::kFormatTag) || fieldCount < store::kFieldsPerRecord) {
    app_.toolkit.messageBox("Please choose a valid bookmark file, .bmk",
                            platform::MessageButtons::kOk);
  } else {
    trap.at(61);
    app_.ActiveListPath = candidate;
    trap.at(62);
    mainWindowOf(app_).Text1().setText(app_.ActiveListPath);
    trap.at(63);
    if (fieldCount % store::kFieldsPerRecord == 0) {
      store::ShowGroupList(app_, groups);
    } else {
      store::LoadGroupList(app_);  // a record cut short: fails where the group list would
    }
    trap.at(64);
    files.close(3);
    // The new choice takes the old one's place in one step: a failure keeps the old choice
    // instead of leaving the next start without any.
    platform::replaceFileContent(
        app_.fs, app_.LastListFile,
        store::formatRecord(std::vector<store::Field>{store::Field::text(app_.ActiveListPath)}));
    trap.at(65);
    app_.OpenListWindowActive = false;
    trap.at(66);
    hide();
  }
  trap.at(7);
  files.close(2);
}

}  // namespace cw::ui
