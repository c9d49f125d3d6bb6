// The import's group naming and name storing. Input lines before a line "--" are groups the
// active list already holds; the lines after it (or all lines, without "--") are the names of
// the document's own bookmarks. The import runs with "Remember layer visibilities" ticked.
// Checked: the group name follows from the earlier import groups; every stored name is one the
// list can hold and reads back unchanged; after the import the list still reads, holds the new
// group once, and the group lists exactly the bookmarks the import accepted.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_support.h"
#include "hosts/standin/standin.h"
#include "list_model.h"
#include "store/ansi.h"
#include "store/group_list.h"
#include "store/imported_names.h"
#include "store/list_format.h"
#include "ui/main/frm_main.h"

namespace {

constexpr std::string_view kImportGroupBase = "ArcMapBookmarks";

std::string joined(const std::vector<std::string>& names) {
  std::string out;
  for (const auto& name : names) out += "[" + name + "]";
  return out;
}

void checkStoredName(const std::string& hostName) {
  const std::string stored = cw::store::ImportedBookmarkName(hostName);
  cw::fuzz::check(stored.find('"') == std::string::npos, "a stored name holds a quote", stored);
  cw::fuzz::check(cw::store::ImportedBookmarkName(stored) == stored,
                  "a stored name changes when stored again", stored);
  // It is written and read back as it stands.
  cw::store::Record record;
  record[0] = cw::store::Field::text(stored);
  const cw::fuzz::ListModel reread(cw::store::formatRecord(record));
  cw::fuzz::check(reread.wellFormed && reread.records.size() == 1 &&
                      reread.records[0][0] == cw::store::Field::text(stored),
                  "a stored name reads back differently", stored);
}

// The group names the list box will show first: only names the list can hold, as it reads them.
std::string listGroupRecord(std::string name) {
  name.erase(std::remove(name.begin(), name.end(), '"'), name.end());
  return cw::store::formatRecord(cw::store::groupRecord(cw::store::ansiRoundTrip(name)));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > 2048) return 0;
  std::vector<std::string> lines =
      cw::fuzz::splitLines(std::string_view(reinterpret_cast<const char*>(data), size));
  std::vector<std::string> groupLines;
  if (auto split = std::find(lines.begin(), lines.end(), "--"); split != lines.end()) {
    groupLines.assign(lines.begin(), split);
    lines.erase(lines.begin(), split + 1);
  }
  const std::vector<std::string>& hostNames = lines;
  for (const auto& name : hostNames) checkStoredName(name);

  cw::fuzz::FuzzApp t;
  t.command.OnCreate(&t.host);
  std::string list = cw::store::formatRecord(cw::store::headerRecord());
  for (const auto& group : groupLines) list += listGroupRecord(group);
  t.drives.write(t.module.paths.DefaultListPath(), list);
  t.module.services.fs.deleteFile(t.module.paths.InitMarkerFile());  // no import offer at start-up
  cw::standin::DataFrame& map = t.host.document().dataFrame(0);
  for (std::size_t i = 0; i < hostNames.size(); ++i) {
    const double at = static_cast<double>(i);
    map.bookmarks.push_back(std::make_unique<cw::standin::SpatialBookmark>(
        hostNames[i], cw::host::Envelope{at, -at, at + 1, 2 - at}));
  }
  t.command.OnClick();
  cw::fuzz::check(!cw::fuzz::checkHandlerEnd(t, "start-up"), "start-up is reported");
  cw::ui::FrmMain& window = t.window();
  window.chkViz().setValue(1);

  const std::vector<std::string> groupsBefore = window.lstbxGroup().items();
  const std::string group = cw::store::ImportGroupName(groupsBefore);
  cw::fuzz::check(group.starts_with(kImportGroupBase), "the import group is named otherwise",
                  group);
  const std::size_t earlierImports =
      std::count_if(groupsBefore.begin(), groupsBefore.end(),
                    [](const std::string& g) { return g.starts_with(kImportGroupBase); });
  if (earlierImports == 0) cw::fuzz::check(group == kImportGroupBase, "a first import is numbered");
  if (earlierImports > 0) {
    const std::string count = std::to_string(earlierImports + 1);
    cw::fuzz::check(group.compare(kImportGroupBase.size(), count.size(), count) == 0,
                    "the import group does not count the earlier imports", group);
  }

  window.btnImport_Click();
  cw::fuzz::check(!cw::fuzz::checkHandlerEnd(t, "import"), "the import is reported");
  const std::string stored = t.drives.read(t.module.paths.DefaultListPath());
  if (hostNames.empty()) {
    cw::fuzz::check(stored == list, "an import without bookmarks changes the list");
    return 0;
  }

  // The bookmarks the import accepts: named, neither the group record's name nor the removal
  // marker, each name once.
  std::vector<std::string> accepted;
  std::set<std::string> seen;
  for (const auto& name : hostNames) {
    const std::string storedName = cw::store::ImportedBookmarkName(name);
    if (storedName.empty() || storedName == cw::store::kGroupFiller ||
        storedName == cw::store::kRemovalMarker) {
      continue;
    }
    if (seen.insert(storedName).second) accepted.push_back(storedName);
  }
  std::stable_sort(accepted.begin(), accepted.end(), cw::ui::lessIgnoringCase);

  const cw::fuzz::ListModel model(stored);
  cw::fuzz::check(model.wellFormed, "the list no longer reads after the import");
  const bool existed =
      std::find(groupsBefore.begin(), groupsBefore.end(), group) != groupsBefore.end();
  if (existed) return 0;  // refused as a duplicate: the bookmarks join the group of that name
  std::size_t groupRecords = 0;
  for (const auto& r : model.records) {
    groupRecords += r[0].equals(group) && r[1].equals(cw::store::kGroupFiller) ? 1 : 0;
  }
  cw::fuzz::check(groupRecords == 1, "the import group is not written once", group);
  cw::fuzz::check(window.lstbxExtentName().items() == accepted, "the import shows other bookmarks",
                  joined(window.lstbxExtentName().items()) + " / " + joined(accepted));

  t.window().LoadGroupList();
  const std::vector<std::string>& groupsAfter = window.lstbxGroup().items();
  const auto found = std::find(groupsAfter.begin(), groupsAfter.end(), group);
  cw::fuzz::check(found != groupsAfter.end(), "the import group is not listed", group);
  window.lstbxGroup().select(static_cast<int>(found - groupsAfter.begin()));
  cw::fuzz::check(window.lstbxExtentName().items() == accepted,
                  "the imported bookmarks read back differently",
                  joined(window.lstbxExtentName().items()) + " / " + joined(accepted));
  return 0;
}
