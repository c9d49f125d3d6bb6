#include "operations.h"

#include <time.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <system_error>

#include "command/module.h"
#include "frontends/headless/headless_toolkit.h"
#include "hosts/standin/standin.h"
#include "platform/file_slots.h"
#include "store/group_list.h"
#include "store/list_format.h"
#include "store/side_files.h"
#include "support/list_lines.h"
#include "ui/lists/frm_load_list.h"
#include "ui/lists/frm_save_list.h"
#include "ui/main/frm_main.h"

namespace cw::bench {

namespace {

namespace fs = std::filesystem;
using platform::MessageResult;

constexpr const char* kNewGroup = "Benchmark group";
constexpr const char* kNewBookmark = "Benchmark bookmark";
constexpr const char* kCopyName = "copy";
constexpr const char* kDuplicateNames = "Duplicate names are not allowed.";
constexpr const char* kInvalidList = "Please choose a valid bookmark file, .bmk";
// Feature layers of the scene's document: two at the top of Main Map and two in each of its
// group layers, and two in Overview.
constexpr std::int64_t kRecordedLayers = 8;

// What the floors counted, checked after each run.
std::int64_t counted = 0;

double threadCpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

std::string expect(bool ok, const std::string& fault) {
  return ok ? std::string() : fault;
}

std::string noMessage(Scene& s) {
  return expect(s.firstMessage().empty(), "a message box was shown: " + s.firstMessage());
}

std::string fileName(const std::string& windowsPath) {
  return windowsPath.substr(windowsPath.rfind('\\') + 1);
}

void removeHostTree(Scene& s, const std::string& windowsPath) {
  std::error_code ec;
  fs::remove_all(s.hostPath(windowsPath), ec);
}

std::int64_t hostSize(Scene& s, const std::string& windowsPath) {
  std::error_code ec;
  auto size = fs::file_size(s.hostPath(windowsPath), ec);
  return ec ? -1 : static_cast<std::int64_t>(size);
}

// Lines of a file; -1 when it cannot be read.
std::int64_t countLines(Scene& s, const std::string& windowsPath) {
  std::ifstream in(s.hostPath(windowsPath), std::ios::binary);
  if (!in) return -1;
  std::int64_t lines = 0;
  for (std::string line; std::getline(in, line);) ++lines;
  return lines;
}

void selectMiddleGroup(Scene& s) {
  if (!s.groupSelected(s.list().middleGroup)) s.selectGroup(s.list().middleGroup);
}

void selectFile(ui::FileList& files, const std::string& name) {
  for (int i = 0; i < files.entryCount(); ++i) {
    if (files.entryText(i) == name) return files.select(i);
  }
  throw std::runtime_error("the file list does not show " + name);
}

// Floors.

void readBytes(Scene& s) {
  static const auto buffer = std::make_unique<char[]>(platform::ByteReader::kBufferSize);
  auto in = s.module().services.fs.openRead(s.listPath());
  counted = 0;
  while (std::size_t n = in->read(buffer.get(), platform::ByteReader::kBufferSize)) {
    counted += static_cast<std::int64_t>(n);
  }
}

void readFields(Scene& s) {
  platform::FileSlots& files = s.module().files;
  files.close(1);
  files.openForInput(1, s.listPath());
  counted = 0;
  while (!store::endOfFile(files, 1)) {
    store::readField(files, 1);
    ++counted;
  }
  files.close(1);
}

// Checks.

std::string groupListIsFull(Scene& s) {
  auto shown = s.window().lstbxGroup().count();
  return expect(shown == s.list().listedGroups, "the group list shows " + std::to_string(shown) +
                                                    " groups, not " +
                                                    std::to_string(s.list().listedGroups));
}

std::string middleGroupListed(Scene& s) {
  auto shown = s.window().lstbxExtentName().count();
  return expect(shown == s.list().middleGroupSize && s.groupSelected(s.list().middleGroup),
                "the bookmark list shows " + std::to_string(shown) + " bookmarks, not " +
                    std::to_string(s.list().middleGroupSize));
}

std::string zoomedToLast(Scene& s) {
  host::Envelope shown = s.module().session.HostDocument->dataFrame(0).extent();
  const auto& want = s.list().lastExtent;
  auto near = [](double a, double b) {
    return std::fabs(a - b) <= 1e-9 * std::fmax(1, std::fabs(b));
  };
  bool ok = near(shown.XMin, want[0]) && near(shown.YMin, want[1]) && near(shown.XMax, want[2]) &&
            near(shown.YMax, want[3]);
  return expect(ok, "the map does not show the last bookmark's extent");
}

std::string bookmarkAdded(Scene& s) {
  return expect(indexOf(s.window().lstbxExtentName(), kNewBookmark) >= 0 &&
                    hostSize(s, s.listPath()) > s.list().bytes,
                "the bookmark was not added");
}

void undoBookmarkAddition(Scene& s) {
  s.restoreList();
  int index = indexOf(s.window().lstbxExtentName(), kNewBookmark);
  if (index >= 0) s.window().lstbxExtentName().removeItem(index);
  std::error_code ec;
  fs::remove(s.hostPath(store::LayerVisibilityPath(s.module().paths.ConfigDir, s.listPath(),
                                                   s.list().middleGroup, kNewBookmark)),
             ec);
  s.window().chkViz().setValue(0);
}

std::vector<Operation> makeOperations() {
  using K = OperationKind;
  std::vector<Operation> ops;

  ops.push_back({"floor_read_bytes", "Floor (a): the file's bytes read into memory", K::kFloor,
                 nullptr, readBytes,
                 [](Scene& s) {
                   return expect(counted == s.list().bytes,
                                 "read " + std::to_string(counted) + " bytes");
                 },
                 nullptr});

  ops.push_back({"floor_field_reader", "Floor (b): one pass of the field reader", K::kFloor,
                 nullptr, readFields,
                 [](Scene& s) {
                   return expect(counted == s.list().records * store::kFieldsPerRecord,
                                 "read " + std::to_string(counted) + " fields");
                 },
                 nullptr});

  ops.push_back({"group_list", "Group list (LoadGroupList)", K::kReadOnly, nullptr,
                 [](Scene& s) { s.window().LoadGroupList(); }, groupListIsFull, nullptr});

  ops.push_back({"window_startup", "Window start-up (Form_Load)", K::kReadOnly, nullptr,
                 [](Scene& s) { s.window().load(); },
                 [](Scene& s) {
                   std::string fault = noMessage(s);
                   return fault.empty() ? groupListIsFull(s) : fault;
                 },
                 nullptr});

  ops.push_back({"select_group", "Select a group in the middle (lstbxGroup_Click)", K::kReadOnly,
                 nullptr, [](Scene& s) { s.selectGroup(s.list().middleGroup); },
                 [](Scene& s) {
                   std::string fault = noMessage(s);
                   return fault.empty() ? middleGroupListed(s) : fault;
                 },
                 nullptr});

  ops.push_back({"zoom_last", "Zoom to the last bookmark of the file (btnZoom_Click)", K::kReadOnly,
                 [](Scene& s) {
                   if (!s.groupSelected(s.list().lastGroup) ||
                       !s.bookmarkSelected(s.list().lastBookmark)) {
                     s.selectGroup(s.list().lastGroup);
                     s.selectBookmark(s.list().lastBookmark);
                   }
                   s.t().host.document().dataFrame(0).setExtentDirect({0, 0, 1, 1});
                 },
                 [](Scene& s) { s.window().btnZoom_Click(); },
                 [](Scene& s) {
                   std::string fault = noMessage(s);
                   return fault.empty() ? zoomedToLast(s) : fault;
                 },
                 nullptr});

  ops.push_back(
      {"add_group_duplicate",
       "Add group, refused as a duplicate (duplicate scan; cmdbtnAddGroup_Click)", K::kReadOnly,
       [](Scene& s) { s.t().toolkit.queueInput(s.list().middleGroup); },
       [](Scene& s) { s.window().cmdbtnAddGroup_Click(); },
       [](Scene& s) {
         const auto& messages = s.t().toolkit.messages;
         bool ok = static_cast<std::int64_t>(messages.size()) == 1 + s.list().middleGroupSize &&
                   messages.front() == kDuplicateNames;
         return expect(ok, "the duplicate was not refused once per record: " + s.firstMessage());
       },
       nullptr});

  ops.push_back({"add_group", "Add group (duplicate scan, append, selection; cmdbtnAddGroup_Click)",
                 K::kAppend, [](Scene& s) { s.t().toolkit.queueInput(kNewGroup); },
                 [](Scene& s) { s.window().cmdbtnAddGroup_Click(); },
                 [](Scene& s) {
                   std::string fault = noMessage(s);
                   if (!fault.empty()) return fault;
                   return expect(s.window().lstbxGroup().selectedText() == kNewGroup &&
                                     hostSize(s, s.listPath()) > s.list().bytes,
                                 "the group was not added");
                 },
                 [](Scene& s) {
                   s.restoreList();
                   int index = indexOf(s.window().lstbxGroup(), kNewGroup);
                   if (index >= 0) s.window().lstbxGroup().removeItem(index);
                   removeHostTree(s, store::GroupSideDirectory(s.module().paths.ConfigDir,
                                                               s.listPath(), kNewGroup));
                 }});

  ops.push_back({"add_bookmark", "Add bookmark (duplicate scan, append; cmdbtnAddCurExtent_Click)",
                 K::kAppend,
                 [](Scene& s) {
                   selectMiddleGroup(s);
                   s.window().chkViz().setValue(0);
                   s.t().toolkit.queueInput(kNewBookmark);
                 },
                 [](Scene& s) { s.window().cmdbtnAddCurExtent_Click(); },
                 [](Scene& s) {
                   std::string fault = noMessage(s);
                   return fault.empty() ? bookmarkAdded(s) : fault;
                 },
                 undoBookmarkAddition});

  ops.push_back(
      {"add_bookmark_visibilities",
       "Add bookmark with layer visibilities (cmdbtnAddCurExtent_Click, chkViz ticked)", K::kAppend,
       [](Scene& s) {
         selectMiddleGroup(s);
         s.window().chkViz().setValue(1);
         s.t().toolkit.queueInput(kNewBookmark);
       },
       [](Scene& s) { s.window().cmdbtnAddCurExtent_Click(); },
       [](Scene& s) {
         std::string fault = noMessage(s);
         if (fault.empty()) fault = bookmarkAdded(s);
         if (!fault.empty()) return fault;
         std::int64_t records =
             countLines(s, store::LayerVisibilityPath(s.module().paths.ConfigDir, s.listPath(),
                                                      s.list().middleGroup, kNewBookmark));
         return expect(records == kRecordedLayers,
                       "the visibility file holds " + std::to_string(records) + " records");
       },
       undoBookmarkAddition});

  ops.push_back(
      {"remove_bookmark", "Remove bookmark (atomic rewrite; btnRemoveExtent_Click)", K::kRewrite,
       [](Scene& s) {
         selectMiddleGroup(s);
         s.selectBookmark(s.list().middleBookmark);
       },
       [](Scene& s) { s.window().btnRemoveExtent_Click(); },
       [](Scene& s) {
         std::string fault = noMessage(s);
         if (!fault.empty()) return fault;
         return expect(indexOf(s.window().lstbxExtentName(), s.list().middleBookmark) < 0 &&
                           hostSize(s, s.listPath()) < s.list().bytes,
                       "the bookmark was not removed");
       },
       [](Scene& s) {
         s.restoreList();
         s.window().lstbxExtentName().addItem(s.list().middleBookmark);
       }});

  ops.push_back({"remove_group", "Remove group (atomic rewrite; btnRemoveGroup_Click)", K::kRewrite,
                 selectMiddleGroup, [](Scene& s) { s.window().btnRemoveGroup_Click(); },
                 [](Scene& s) {
                   std::string fault = noMessage(s);
                   if (!fault.empty()) return fault;
                   return expect(indexOf(s.window().lstbxGroup(), s.list().middleGroup) < 0 &&
                                     hostSize(s, s.listPath()) < s.list().bytes,
                                 "the group was not removed");
                 },
                 [](Scene& s) {
                   s.restoreList();
                   s.window().lstbxGroup().addItem(s.list().middleGroup);
                 }});

  ops.push_back({"save_copy", "Save a copy (frmSaveList, btnSave_Click)", K::kRewrite,
                 [](Scene& s) {
                   s.t().toolkit.modalDriver = [](ui::Window& shown) {
                     auto& w = dynamic_cast<ui::FrmSaveList&>(shown);
                     w.Dir1().navigate(Scene::kSaveDirectory);
                     w.txtFileName().setText(kCopyName);
                     w.fire("btnSave", ui::Event::kClick);
                   };
                 },
                 [](Scene& s) { s.window().btnSaveList_Click(); },
                 [](Scene& s) {
                   std::string fault = noMessage(s);
                   if (!fault.empty()) return fault;
                   const std::string& active = s.module().session.ActiveListPath;
                   // Numbers are written back in the system's own form, so only the records are
                   // counted.
                   std::int64_t records = countLines(s, active);
                   return expect(fileName(active) == std::string(kCopyName) + ".bmk" &&
                                     records == s.list().records,
                                 "the copy was not saved: " + active + " holds " +
                                     std::to_string(records) + " records");
                 },
                 [](Scene& s) {
                   std::string copy = s.module().session.ActiveListPath;
                   s.module().session.ActiveListPath = s.listPath();
                   s.window().Text1().setText(s.listPath());
                   if (copy != s.listPath()) {
                     removeHostTree(s, store::ListSideFileArea(s.module().paths.ConfigDir, copy));
                     removeHostTree(s, copy);
                   }
                 }});

  ops.push_back({"open_check_invalid",
                 "Open window's validity check, refusing a list of the same size (frmLoadList)",
                 K::kReadOnly,
                 [](Scene& s) {
                   s.t().toolkit.modalDriver = [](ui::Window& shown) {
                     auto& w = dynamic_cast<ui::FrmLoadList&>(shown);
                     w.Dir1().navigate(Scene::kListsDirectory);
                     selectFile(w.File1(), Scene::kInvalidListName);
                     w.fire("btnOpen", ui::Event::kClick);
                     w.fire("btnCancel", ui::Event::kClick);
                   };
                 },
                 [](Scene& s) { s.window().btnLoadList_Click(); },
                 [](Scene& s) {
                   const auto& messages = s.t().toolkit.messages;
                   return expect(messages.size() == 1 && messages.front() == kInvalidList,
                                 "the invalid list was not refused: " + s.firstMessage());
                 },
                 nullptr});

  ops.push_back({"open_list", "Open a list: validity check and group list (frmLoadList)",
                 K::kReadOnly,
                 [](Scene& s) {
                   std::string directory = s.listDirectory();
                   std::string name = s.listFileName();
                   s.t().toolkit.modalDriver = [directory, name](ui::Window& shown) {
                     auto& w = dynamic_cast<ui::FrmLoadList&>(shown);
                     w.Dir1().navigate(directory);
                     selectFile(w.File1(), name);
                     w.fire("btnOpen", ui::Event::kClick);
                   };
                 },
                 [](Scene& s) { s.window().btnLoadList_Click(); },
                 [](Scene& s) {
                   std::string fault = noMessage(s);
                   return fault.empty() ? groupListIsFull(s) : fault;
                 },
                 nullptr});

  ops.push_back({"clear_list", "Clear the list (atomic rewrite; btnNewList_Click)", K::kRewrite,
                 [](Scene& s) { s.t().toolkit.queueAnswer(MessageResult::kYes); },
                 [](Scene& s) { s.window().btnNewList_Click(); },
                 [](Scene& s) {
                   return expect(s.t().toolkit.messages.size() == 1 &&
                                     s.t().drives.read(s.listPath()) == testing::header() &&
                                     s.window().lstbxGroup().count() == 0,
                                 "the list was not cleared");
                 },
                 [](Scene& s) {
                   s.restoreList();
                   s.window().LoadGroupList();
                 }});
  return ops;
}

}  // namespace

const char* kindName(OperationKind kind) {
  switch (kind) {
    case OperationKind::kFloor:
      return "floor";
    case OperationKind::kReadOnly:
      return "read-only";
    case OperationKind::kAppend:
      return "append";
    case OperationKind::kRewrite:
      return "rewrite";
  }
  return "";
}

const std::vector<Operation>& operations() {
  static const std::vector<Operation> ops = makeOperations();
  return ops;
}

void runTimed(Scene& scene, const Operation& op) {
  op.run(scene);
}

RunResult runOnce(Scene& scene, const Operation& op, const std::function<void()>& afterRun) {
  RunResult result;
  try {
    if (op.prepare) op.prepare(scene);
    scene.forgetTranscripts();
    const double cpuStart = threadCpuSeconds();
    const auto start = std::chrono::steady_clock::now();
    runTimed(scene, op);
    const auto stop = std::chrono::steady_clock::now();
    result.cpuSeconds = threadCpuSeconds() - cpuStart;
    result.seconds = std::chrono::duration<double>(stop - start).count();
    if (afterRun) afterRun();
    if (op.check) result.fault = op.check(scene);
    if (op.restore) op.restore(scene);
  } catch (const std::exception& e) {
    result.fault = e.what();
  } catch (const headless::ScriptError& e) {
    result.fault = e.message;
  }
  return result;
}

}  // namespace cw::bench
