#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include "list_generator.h"
#include "support/test_app.h"

namespace cw::bench {

// The whole system on temporary drives, started on a generated list that is its default list on
// the program's drive, with what the operations need around it: an invalid copy of the list for
// the open window's check, a directory to save copies in, and a way back to the generated list
// after an operation changed it.
class Scene {
 public:
  static constexpr const char* kListsDirectory = "C:\\Lists";
  static constexpr const char* kInvalidListName = "invalid.bmk";
  static constexpr const char* kSaveDirectory = "C:\\Saves";

  explicit Scene(std::int64_t records);
  ~Scene();
  Scene(const Scene&) = delete;
  Scene& operator=(const Scene&) = delete;

  testing::TestApp& t() { return *system_; }
  Module& module() { return system_->module; }
  ui::FrmMain& window() { return system_->window(); }
  const GeneratedList& list() const { return list_; }
  const std::string& listPath() const { return listPath_; }
  std::string listDirectory() const;  // the directory of the list, without a final "\"
  std::string listFileName() const;
  std::filesystem::path hostPath(const std::string& windowsPath);

  // Puts the generated list back after an operation appended to it or replaced it. The list is
  // a hard link to a kept original, so no bytes are copied and nothing waits to be written back
  // while a later operation is timed.
  void restoreList();

  // Selects a group by its text in the group list (which lists its bookmarks), and a bookmark by
  // its text in the bookmark list. Both fail when the entry is not there.
  void selectGroup(const std::string& name);
  void selectBookmark(const std::string& name);
  bool groupSelected(const std::string& name);
  bool bookmarkSelected(const std::string& name);

  // Forgets what the toolkit and the host recorded; both logs grow with every operation.
  void forgetTranscripts();
  // "" when no message box was shown since the last forgetTranscripts(), else the first text.
  std::string firstMessage() const;

 private:
  std::unique_ptr<testing::TestApp> system_;
  GeneratedList list_;
  std::string listPath_;
  std::filesystem::path hostList_;
  std::filesystem::path original_;
};

// Index of the entry with this text in a list box; -1 when there is none.
int indexOf(const ui::ListBox& box, const std::string& text);

}  // namespace cw::bench
