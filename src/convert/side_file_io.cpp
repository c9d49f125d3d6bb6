#include "convert/side_file_io.h"

#include <array>
#include <set>

#include "base/failure.h"
#include "convert/disk.h"
#include "platform/file_slots.h"
#include "platform/file_system.h"
#include "store/field.h"
#include "store/list_format.h"
#include "store/list_reading.h"
#include "store/side_files.h"

namespace cw::convert {

ListSideFiles::ListSideFiles(Disk& disk, const std::string& programDir, const std::string& list)
    : fs_(disk.fs(list)), listFile_(list) {
  std::string dir = disk.windowsPath(programDir);
  if (dir.back() != '\\') dir += '\\';
  configDir_ = dir + "BookmarksConfig/";
  listPath_ = disk.windowsPath(list);
  programDrive_ = dir[0];
  onProgramDrive_ = listPath_[0] == programDrive_;
}

void ListSideFiles::read(Bookmarks& bookmarks) {
  if (!onProgramDrive_) return;
  platform::FileSlots files(fs_);
  for (Bookmark& b : bookmarks) {
    std::string path;
    try {
      path = store::LayerVisibilityFileToRead(fs_, configDir_, listPath_, b.group, b.name);
      if (path.empty()) continue;
      files.openForInput(2, path);
      store::LayerRecord record;
      while (store::ReadLayerRecord(files, 2, record)) b.layers.push_back(record);
      files.close(2);
    } catch (const Failure& failure) {
      files.closeAll();
      throw InputError(listFile_, "the layer visibilities of \"" + b.group + "/" + b.name + "\"",
                       failure.description() + (path.empty() ? "" : " (" + path + ")"));
    }
  }
}

void ListSideFiles::write(const Bookmarks& added) {
  if (!onProgramDrive_) return;
  written_.clear();
  const Bookmark* at = nullptr;
  try {
    std::set<std::string> groups;
    for (const Bookmark& b : added) {
      at = &b;
      if (groups.insert(b.group).second) {
        store::EnsureGroupSideDirectory(fs_, configDir_, listPath_, b.group);
      }
      const std::string path =
          store::LayerVisibilityPath(fs_, configDir_, listPath_, b.group, b.name);
      if (b.layers.empty()) {
        if (fs_.fileExists(path)) fs_.deleteFile(path);
        continue;
      }
      // The records the app writes: the bookmark, the data frame, the layer, True or False.
      std::string records;
      for (const LayerVisibility& layer : b.layers) {
        const std::array<store::Field, 4> fields{
            store::Field::text(store::LayerRecordText(b.name)),
            store::Field::text(store::LayerRecordText(layer.frame)),
            store::Field::text(store::LayerRecordText(layer.layer)),
            store::Field::text(layer.visible ? "True" : "False")};
        records += store::formatRecord(fields);
      }
      platform::replaceFileContent(fs_, path, records);
      written_.push_back(path);
    }
  } catch (const Failure& failure) {
    discardWritten();
    throw InputError(listFile_,
                     at ? "the layer visibilities of \"" + at->group + "/" + at->name + "\"" : "",
                     "cannot be written: " + failure.description());
  }
}

void ListSideFiles::discardWritten() {
  for (const std::string& path : written_) {
    try {
      fs_.deleteFile(path);
    } catch (const Failure&) {
      // The file stays; the list never names its bookmark, and adding one of that name without
      // visibilities deletes it.
    }
  }
  written_.clear();
}

}  // namespace cw::convert
