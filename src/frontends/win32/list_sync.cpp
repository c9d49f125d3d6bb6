#include "frontends/win32/list_sync.h"

#include <algorithm>

#include "platform/win32/wide_text.h"
#include "ui/controls/file_lists.h"
#include "ui/controls/list_box.h"
#include "ui/controls/selectable.h"

namespace cw::win32 {

std::vector<std::wstring> entriesOf(const ui::Control& control) {
  std::vector<std::wstring> entries;
  const auto* selectable = dynamic_cast<const ui::Selectable*>(&control);
  if (!selectable) return entries;
  const int count = selectable->entryCount();
  entries.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    entries.push_back(platform::win32::toWide(selectable->entryText(i)));
  }
  return entries;
}

int selectionOf(const ui::Control& control) {
  if (const auto* list = dynamic_cast<const ui::ListBox*>(&control)) return list->selectedIndex();
  if (const auto* files = dynamic_cast<const ui::FileList*>(&control)) {
    return files->selectedIndex();
  }
  if (const auto* drives = dynamic_cast<const ui::DriveList*>(&control)) {
    return drives->selectedIndex();
  }
  return -1;
}

void syncEntries(HWND list, bool dropDown, std::vector<std::wstring>& shown,
                 const std::vector<std::wstring>& wanted, int selected) {
  const UINT deleteAt = dropDown ? CB_DELETESTRING : LB_DELETESTRING;
  const UINT insertAt = dropDown ? CB_INSERTSTRING : LB_INSERTSTRING;
  const UINT select = dropDown ? CB_SETCURSEL : LB_SETCURSEL;

  // Only the run between the common start and the common end changes.
  std::size_t head = 0;
  while (head < shown.size() && head < wanted.size() && shown[head] == wanted[head]) ++head;
  std::size_t tail = 0;
  while (tail < shown.size() - head && tail < wanted.size() - head &&
         shown[shown.size() - 1 - tail] == wanted[wanted.size() - 1 - tail]) {
    ++tail;
  }
  const std::size_t removed = shown.size() - head - tail;
  const std::size_t inserted = wanted.size() - head - tail;
  const bool large = removed + inserted > 64;
  if (large) ::SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  if (removed == shown.size() && removed > 0) {
    ::SendMessageW(list, dropDown ? CB_RESETCONTENT : LB_RESETCONTENT, 0, 0);
  } else {
    for (std::size_t i = 0; i < removed; ++i) ::SendMessageW(list, deleteAt, head, 0);
  }
  if (!dropDown && inserted > 64) {
    ::SendMessageW(list, LB_INITSTORAGE, inserted, inserted * 32);
  }
  for (std::size_t i = 0; i < inserted; ++i) {
    ::SendMessageW(list, insertAt, head + i, reinterpret_cast<LPARAM>(wanted[head + i].c_str()));
  }
  shown = wanted;
  if (::SendMessageW(list, dropDown ? CB_GETCURSEL : LB_GETCURSEL, 0, 0) != selected) {
    ::SendMessageW(list, select, static_cast<WPARAM>(selected), 0);
  }
  if (large) {
    ::SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(list, nullptr, TRUE);
  }
}

}  // namespace cw::win32
