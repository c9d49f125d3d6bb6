#include "scene.h"

#include <fstream>
#include <stdexcept>
#include <system_error>

#include "hosts/standin/standin.h"

namespace cw::bench {

namespace {

namespace fs = std::filesystem;

// Two data frames with feature layers at the top and inside group layers, and layers of other
// kinds that a visibility record leaves out.
constexpr std::string_view kDocument = R"({"dataFrames": [
    {"name": "Main Map", "extent": [-13650000, 4540000, -13600000, 4580000],
     "layers": [
       {"name": "Roads", "kind": "feature", "visible": true},
       {"name": "Parcels", "kind": "feature", "visible": false},
       {"name": "Transport", "kind": "group", "layers": [
         {"name": "Rail", "kind": "feature", "visible": true},
         {"name": "Bus stops", "kind": "feature", "visible": false},
         {"name": "Aerial photo", "kind": "raster", "visible": true}]},
       {"name": "Hydrography", "kind": "group", "layers": [
         {"name": "Rivers", "kind": "feature", "visible": true},
         {"name": "Lakes", "kind": "feature", "visible": true}]},
       {"name": "Hillshade", "kind": "raster", "visible": true}]},
    {"name": "Overview", "extent": [-180, -90, 180, 90],
     "layers": [
       {"name": "Countries", "kind": "feature", "visible": true},
       {"name": "Cities", "kind": "feature", "visible": false}]}]})";

void fail(const std::string& what) {
  throw std::runtime_error("benchmark scene: " + what);
}

}  // namespace

Scene::Scene(std::int64_t records) : system_(std::make_unique<testing::TestApp>(kDocument)) {
  testing::TestApp& t = *system_;
  t.command.OnCreate(&t.host);
  listPath_ = t.module.paths.DefaultListPath();
  hostList_ = t.drives.host(listPath_);
  {
    std::ofstream out(hostList_, std::ios::binary | std::ios::trunc);
    list_ = generateList(records, out);
    if (!out.flush()) fail("cannot write " + hostList_.string());
  }
  // The original stays linked beside the drives; the list is a second name of it.
  original_ = t.drives.base() / "original.bmk";
  fs::create_hard_link(hostList_, original_);

  // The same bytes with the first field changed: the open window's check reads it through and
  // refuses it.
  fs::path invalid = t.drives.host(std::string(kListsDirectory) + "\\" + kInvalidListName);
  fs::create_directories(invalid.parent_path());
  fs::copy_file(original_, invalid, fs::copy_options::overwrite_existing);
  {
    std::fstream file(invalid, std::ios::binary | std::ios::in | std::ios::out);
    file.seekp(1);
    file.write("Bookmarks_v1.9", 14);
    if (!file.flush()) fail("cannot write " + invalid.string());
  }
  t.drives.makeDirectory(kSaveDirectory);

  t.command.OnClick();
  if (!t.module.mainWindow || !firstMessage().empty()) fail("start-up: " + firstMessage());
  if (window().lstbxGroup().count() != list_.listedGroups) {
    fail("start-up lists " + std::to_string(window().lstbxGroup().count()) + " groups, not " +
         std::to_string(list_.listedGroups));
  }
  forgetTranscripts();
}

Scene::~Scene() = default;

std::string Scene::listDirectory() const {
  return listPath_.substr(0, listPath_.rfind('\\'));
}

std::string Scene::listFileName() const {
  return listPath_.substr(listPath_.rfind('\\') + 1);
}

fs::path Scene::hostPath(const std::string& windowsPath) {
  return system_->drives.fs().hostPath(windowsPath);
}

void Scene::restoreList() {
  std::error_code ec;
  if (fs::equivalent(hostList_, original_, ec)) {
    // Appends went to the original itself: cut them off again.
    if (static_cast<std::int64_t>(fs::file_size(original_)) != list_.bytes) {
      fs::resize_file(original_, static_cast<std::uintmax_t>(list_.bytes));
    }
    return;
  }
  fs::remove(hostList_, ec);
  fs::create_hard_link(original_, hostList_);
  if (static_cast<std::int64_t>(fs::file_size(hostList_)) != list_.bytes) {
    fail("the original list changed size");
  }
}

int indexOf(const ui::ListBox& box, const std::string& text) {
  const auto& items = box.items();
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (items[i] == text) return static_cast<int>(i);
  }
  return -1;
}

void Scene::selectGroup(const std::string& name) {
  int index = indexOf(window().lstbxGroup(), name);
  if (index < 0) fail("no group " + name + " in the group list");
  window().lstbxGroup().select(index);
}

void Scene::selectBookmark(const std::string& name) {
  int index = indexOf(window().lstbxExtentName(), name);
  if (index < 0) fail("no bookmark " + name + " in the bookmark list");
  window().lstbxExtentName().select(index);
}

bool Scene::groupSelected(const std::string& name) {
  return window().lstbxGroup().selectedText() == name && module().session.SelectedGroup == name;
}

bool Scene::bookmarkSelected(const std::string& name) {
  return window().lstbxExtentName().selectedText() == name;
}

void Scene::forgetTranscripts() {
  system_->toolkit.transcript.clear();
  system_->toolkit.messages.clear();
  if (system_->host.hasDocument()) system_->host.document().calls.clear();
}

std::string Scene::firstMessage() const {
  return system_->toolkit.messages.empty() ? std::string() : system_->toolkit.messages.front();
}

}  // namespace cw::bench
