// A whole list file through the bookmarks window: the input is the active list; the window
// starts on it (group list), every group is selected (bookmark listing) and every listed
// bookmark is zoomed to. Checked against the plain reading of the list: the groups, the
// bookmarks and the extents shown; a list that cannot be read is reported, never shown as
// read; the list is never changed by reading it; every handler ends cleanly.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_support.h"
#include "hosts/standin/standin.h"
#include "list_model.h"
#include "ui/main/frm_main.h"

namespace {

constexpr int kMostGroups = 12;
constexpr int kMostZoomsPerGroup = 6;

std::string joined(const std::vector<std::string>& names) {
  std::string out;
  for (const auto& name : names) out += "[" + name + "]";
  return out;
}

bool onlyBlankLines(std::string_view bytes) {
  return bytes.find_first_not_of(" \t\r\n") == std::string_view::npos;
}

void zoomTo(cw::fuzz::FuzzApp& t, const cw::fuzz::ListModel& model, int index, bool button) {
  cw::ui::FrmMain& window = t.window();
  const std::string group = t.module.session.SelectedGroup;
  const std::string name = window.lstbxExtentName().item(index);
  window.lstbxExtentName().select(index);
  if (button) {
    window.btnZoom_Click();
  } else {
    window.lstbxExtentName_DblClick();
  }
  const bool reported = cw::fuzz::checkHandlerEnd(t, "zoom");
  if (button && name.empty()) {
    // A bookmark listed without a name looks like no selection to the button.
    cw::fuzz::check(!reported && t.toolkit.messages.back() == "Please select a bookmark",
                    "the button zooms without a bookmark name");
    return;
  }

  const cw::store::Record* target = model.zoomTarget(group, name);
  if (!target) {
    cw::fuzz::check(reported, "a zoom to a bookmark not in the list is not reported", name);
    return;
  }
  cw::host::Envelope expected;
  try {
    expected = {(*target)[2].asNumber(), (*target)[3].asNumber(), (*target)[4].asNumber(),
                (*target)[5].asNumber()};
  } catch (const cw::Failure&) {
    cw::fuzz::check(reported, "a bookmark without a readable extent zooms silently", name);
    return;
  }
  cw::fuzz::check(!reported, "a zoom to a readable bookmark is reported", name);
  cw::fuzz::check(t.host.document().focusMap().extent() == expected,
                  "the zoom shows another extent", name);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > 8192) return 0;
  const std::string list(reinterpret_cast<const char*>(data), size);

  cw::fuzz::FuzzApp t;
  t.command.OnCreate(&t.host);
  t.drives.write(t.module.paths.DefaultListPath(), list);
  t.command.OnClick();
  const bool startReported = cw::fuzz::checkHandlerEnd(t, "start-up");

  const std::string stored = t.drives.read(t.module.paths.DefaultListPath());
  cw::fuzz::check(stored == list || onlyBlankLines(list), "start-up changes a list with fields");
  const cw::fuzz::ListModel model(stored);
  cw::ui::FrmMain& window = t.window();

  if (!model.wellFormed) {
    cw::fuzz::check(cw::fuzz::errorReportCount(t) == 1,
                    "a list that cannot be read is not reported");
    cw::fuzz::check(window.lstbxGroup().count() == 0,
                    "groups shown from a list that cannot be read");
    return 0;
  }
  cw::fuzz::check(!startReported, "a readable list is reported at start-up");
  const std::vector<std::string> groups = window.lstbxGroup().items();
  if (groups != model.groups()) {
    cw::fuzz::fail("the group list differs", joined(groups) + " / " + joined(model.groups()));
  }

  for (int g = 0; g < window.lstbxGroup().count() && g < kMostGroups; ++g) {
    window.lstbxGroup().select(g);
    const bool reported = cw::fuzz::checkHandlerEnd(t, "group selection");
    cw::fuzz::check(t.module.session.SelectedGroup == groups[g],
                    "the selected group is not recorded");
    const std::vector<std::string> shown = window.lstbxExtentName().items();
    if (!model.withheldPairsFit()) {
      cw::fuzz::check(reported && shown.empty(), "too many withheld bookmarks are not reported");
      continue;
    }
    cw::fuzz::check(!reported, "a group of a readable list is reported", groups[g]);
    const std::vector<std::string> expected = model.bookmarks(groups[g]);
    if (shown != expected) {
      cw::fuzz::fail("the bookmark list differs", joined(shown) + " / " + joined(expected));
    }
    for (int b = 0; b < static_cast<int>(shown.size()) && b < kMostZoomsPerGroup; ++b) {
      zoomTo(t, model, b, b % 2 == 0);
    }
  }

  cw::fuzz::check(t.drives.read(t.module.paths.DefaultListPath()) == stored,
                  "reading changes the list");
  return 0;
}
