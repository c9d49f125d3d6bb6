// The name test and what a name that passes it becomes. The first input line is typed as a new
// group's name, the second as a bookmark's name (with "Remember layer visibilities" ticked).
// Checked: the name test agrees with its rules written out plainly; every name gives a file name
// that the test accepts and two names never give the same file name; a typed name that is
// accepted is stored, reads back as shown, can be zoomed to and has its layer-visibility file.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_support.h"
#include "list_model.h"
#include "platform/windows_path.h"
#include "store/ansi.h"
#include "store/bookmark_store.h"
#include "store/group_list.h"
#include "store/list_format.h"
#include "store/side_files.h"
#include "ui/main/frm_main.h"

namespace {

// The rules of the name test, one after another.
bool passesNameRules(const std::string& name) {
  const std::size_t first = name.find_first_not_of(' ');
  if (first == std::string::npos) return false;
  if (name.back() == '.' || name.back() == ' ') return false;
  for (char c : name) {
    if (static_cast<unsigned char>(c) < 32) return false;
    if (std::string_view("\"/\\:|<>*?").find(c) != std::string_view::npos) return false;
  }
  std::string lower = name;
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; });
  for (std::string_view device : {"con", "prn", "aux", "nul", "clock$"}) {
    if (lower == device) return false;
  }
  return !(lower.size() == 4 && (lower.starts_with("lpt") || lower.starts_with("com")) &&
           lower[3] >= '1' && lower[3] <= '9');
}

std::string trimmedBlanks(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return std::string(text);
}

void checkNameTest(const std::string& name) {
  cw::fuzz::check(cw::store::IsValidFileName(name) == passesNameRules(name),
                  "the name test breaks its rules", name);
  if (name.empty()) return;
  const std::string fileName = cw::store::SideFileName(name);
  cw::fuzz::check(cw::store::IsValidFileName(fileName), "a side file name fails the name test",
                  name + " -> " + fileName);
  // Names longer than the platform holds are shortened (and made distinct again).
  constexpr std::size_t kLongestName = 255;
  // Upper-case letters the drives fold are marked, so only names without them are unchanged.
  if (passesNameRules(name) && name.find_first_of("%^") == std::string::npos &&
      cw::platform::foldCase(name) == name && name.size() <= kLongestName) {
    cw::fuzz::check(fileName == name, "a valid name is changed as a file name", name);
  }
}

// Types a group name and a bookmark name into a fresh window on an empty list.
void typeNames(const std::string& groupAnswer, const std::string& bookmarkAnswer) {
  cw::fuzz::FuzzApp t;
  t.start();
  cw::fuzz::check(!cw::fuzz::checkHandlerEnd(t, "start-up"), "start-up is reported");
  cw::ui::FrmMain& window = t.window();

  const std::string group = cw::store::ansiRoundTrip(trimmedBlanks(groupAnswer));
  const bool groupAccepted = !group.empty() && passesNameRules(group) &&
                             group != cw::store::kFormatTag;  // the header names that one
  t.toolkit.queueInput(groupAnswer);
  window.cmdbtnAddGroup_Click();
  cw::fuzz::check(!cw::fuzz::checkHandlerEnd(t, "adding a group"), "adding a group is reported",
                  group);
  if (!groupAccepted) {
    cw::fuzz::check(window.lstbxGroup().count() == 0, "a refused group name is shown", group);
    return;
  }
  cw::fuzz::check(window.lstbxGroup().selectedText() == group, "the new group is not selected",
                  group);

  const std::string bookmark = cw::store::ansiRoundTrip(trimmedBlanks(bookmarkAnswer));
  // Refused as well: the group record's name, and the removal marker, whose record would
  // withdraw the whole group.
  const bool bookmarkAccepted = !bookmarkAnswer.empty() && passesNameRules(bookmark) &&
                                bookmark != cw::store::kGroupFiller &&
                                bookmark != cw::store::kRemovalMarker;
  window.chkViz().setValue(1);
  t.toolkit.queueInput(bookmarkAnswer);
  window.cmdbtnAddCurExtent_Click();
  cw::fuzz::check(!cw::fuzz::checkHandlerEnd(t, "adding a bookmark"),
                  "adding a bookmark is reported", bookmark);
  const std::vector<std::string> expected =
      bookmarkAccepted ? std::vector<std::string>{bookmark} : std::vector<std::string>{};
  cw::fuzz::check(window.lstbxExtentName().items() == expected, "the bookmark list is not as typed",
                  bookmark);

  // Read back from disk: the same group with the same bookmark.
  t.window().LoadGroupList();
  cw::fuzz::check(window.lstbxGroup().items() == std::vector<std::string>{group},
                  "a stored group reads back differently", group);
  window.lstbxGroup().select(0);
  cw::fuzz::check(window.lstbxExtentName().items() == expected,
                  "a stored bookmark reads back differently", bookmark);
  if (!bookmarkAccepted) return;

  window.lstbxExtentName().select(0);
  window.btnZoom_Click();
  cw::fuzz::check(!cw::fuzz::checkHandlerEnd(t, "zoom"), "a zoom to a stored bookmark is reported",
                  bookmark);
  const std::string visibilities = cw::store::LayerVisibilityPath(
      t.module.paths.ConfigDir, t.module.session.ActiveListPath, group, bookmark);
  cw::fuzz::check(t.module.services.fs.fileExists(visibilities), "no layer-visibility file",
                  visibilities);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > 1024) return 0;
  const std::string input(reinterpret_cast<const char*>(data), size);
  const std::size_t end = input.find('\n');
  const std::string first = input.substr(0, end);
  const std::string second = end == std::string::npos ? std::string() : input.substr(end + 1);

  checkNameTest(first);
  checkNameTest(second);
  if (first != second && !first.empty() && !second.empty()) {
    cw::fuzz::check(cw::platform::foldCase(cw::store::SideFileName(first)) !=
                        cw::platform::foldCase(cw::store::SideFileName(second)),
                    "two names share a side file name", first + " / " + second);
  }
  typeNames(first, second);
  return 0;
}
