#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace cw::ui {
class Control;
}

namespace cw::win32 {

// The entries of a list kind's model as the platform's list shows them, and its selected entry
// (-1 for none, and always for a directory list, which has no selection).
std::vector<std::wstring> entriesOf(const ui::Control& control);
int selectionOf(const ui::Control& control);

// Brings a platform list box (or drop-down list when `dropDown`) from the entries it shows to the
// wanted ones: the entries that differ are deleted and the wanted inserted each at its index in
// the model, so the order is the model's, ties included, never the platform's own sort. `shown`
// is what the list holds, kept up to date.
void syncEntries(HWND list, bool dropDown, std::vector<std::wstring>& shown,
                 const std::vector<std::wstring>& wanted, int selected);

}  // namespace cw::win32
