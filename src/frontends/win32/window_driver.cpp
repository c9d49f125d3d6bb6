#include "frontends/win32/window_driver.h"

#include <commctrl.h>

#include "frontends/win32/control_names.h"
#include "frontends/win32/window_classes.h"
#include "platform/win32/wide_text.h"

namespace cw::win32 {

namespace {

using platform::win32::fromWide;
using platform::win32::toWide;

std::wstring classOf(HWND window) {
  wchar_t name[64] = {};
  ::GetClassNameW(window, name, 64);
  return name;
}

bool ofThisProcess(HWND window) {
  DWORD process = 0;
  ::GetWindowThreadProcessId(window, &process);
  return process == ::GetCurrentProcessId();
}

struct Search {
  std::string_view name;
  const wchar_t* className = nullptr;
  HWND found = nullptr;
};

BOOL CALLBACK findNamed(HWND window, LPARAM param) {
  auto& search = *reinterpret_cast<Search*>(param);
  if (search.className && classOf(window) != search.className) return TRUE;
  if (windowName(window) != search.name) return TRUE;
  search.found = window;
  return FALSE;
}

BOOL CALLBACK findShownTopLevel(HWND window, LPARAM param) {
  auto& search = *reinterpret_cast<Search*>(param);
  if (!ofThisProcess(window) || !::IsWindowVisible(window)) return TRUE;
  if (search.className) {
    if (classOf(window) != search.className) return TRUE;
    search.found = window;
    return FALSE;
  }
  for (HWND form = ::FindWindowExW(window, nullptr, kFormClass, nullptr); form;
       form = ::FindWindowExW(window, form, kFormClass, nullptr)) {
    if (windowName(form) == search.name) {
      search.found = form;
      return FALSE;
    }
  }
  return TRUE;
}

// The list inside a directory list's panel; the control itself otherwise.
HWND listOf(HWND control) {
  if (classOf(control) == kPanelClass) {
    return ::FindWindowExW(control, nullptr, L"LISTBOX", nullptr);
  }
  return control;
}

bool isDropDown(HWND control) {
  return classOf(control) == L"ComboBox" || classOf(control) == L"COMBOBOX";
}

bool isListBox(HWND control) {
  return classOf(control) == L"ListBox" || classOf(control) == L"LISTBOX";
}

// A list's entries as its model holds them now, not when the thread next reads its messages.
void bringListsUpToDate(HWND control) {
  HWND form = control;
  while (form && classOf(form) != kFormClass) form = ::GetParent(form);
  if (form) ::SendMessageW(form, kSyncListsMessage, 0, 0);
}

void notifyParent(HWND control, int code) {
  const auto id = static_cast<WORD>(::GetDlgCtrlID(control));
  ::SendMessageW(::GetParent(control), WM_COMMAND, MAKEWPARAM(id, code),
                 reinterpret_cast<LPARAM>(control));
}

}  // namespace

HWND findShownWindow(std::string_view windowName) {
  Search search{windowName};
  ::EnumWindows(findShownTopLevel, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND topLevelOf(HWND form) {
  return ::GetAncestor(form, GA_ROOT);
}

HWND findControl(HWND form, std::string_view controlName) {
  Search search{controlName};
  ::EnumChildWindows(form, findNamed, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND findInputBox() {
  Search search{"", kInputBoxClass};
  ::EnumWindows(findShownTopLevel, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::string controlText(HWND control) {
  const int length = ::GetWindowTextLengthW(control);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  text.resize(static_cast<std::size_t>(::GetWindowTextW(control, text.data(), length + 1)));
  return fromWide(text);
}

std::string tooltipOf(HWND control) {
  HWND form = control;
  while (form && classOf(form) != kFormClass) form = ::GetParent(form);
  if (!form) return {};
  auto tooltips = static_cast<HWND>(::GetPropW(form, L"CorbelwickTooltips"));
  if (!tooltips) return {};
  wchar_t text[1024] = {};
  TOOLINFOW tool{};
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.hwnd = form;
  tool.uId = reinterpret_cast<UINT_PTR>(listOf(control));
  tool.lpszText = text;
  ::SendMessageW(tooltips, TTM_GETTEXTW, 1024, reinterpret_cast<LPARAM>(&tool));
  return fromWide(text);
}

std::vector<std::string> listEntries(HWND control) {
  bringListsUpToDate(control);
  HWND list = listOf(control);
  const bool dropDown = isDropDown(list);
  if (!dropDown && !isListBox(list)) return {};
  const auto count =
      static_cast<int>(::SendMessageW(list, dropDown ? CB_GETCOUNT : LB_GETCOUNT, 0, 0));
  std::vector<std::string> entries;
  for (int i = 0; i < count; ++i) {
    const auto length =
        static_cast<int>(::SendMessageW(list, dropDown ? CB_GETLBTEXTLEN : LB_GETTEXTLEN, i, 0));
    std::wstring text(static_cast<std::size_t>(length > 0 ? length : 0) + 1, L'\0');
    ::SendMessageW(list, dropDown ? CB_GETLBTEXT : LB_GETTEXT, i,
                   reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length > 0 ? length : 0));
    entries.push_back(fromWide(text));
  }
  return entries;
}

int listSelection(HWND control) {
  bringListsUpToDate(control);
  HWND list = listOf(control);
  if (isDropDown(list)) return static_cast<int>(::SendMessageW(list, CB_GETCURSEL, 0, 0));
  if (isListBox(list)) return static_cast<int>(::SendMessageW(list, LB_GETCURSEL, 0, 0));
  return -1;
}

bool press(HWND control) {
  const std::wstring kind = classOf(control);
  if (kind == L"Button" || kind == L"BUTTON") {
    if ((::GetWindowLongW(control, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX) return false;
    ::SendMessageW(control, BM_CLICK, 0, 0);
    return true;
  }
  if (kind == L"Static" || kind == L"STATIC") {
    notifyParent(control, STN_CLICKED);
    return true;
  }
  return false;
}

bool choose(HWND control, int index) {
  bringListsUpToDate(control);
  if (classOf(control) == kPanelClass) {
    HWND list = listOf(control);
    if (!list) return false;
    ::SendMessageW(list, LB_SETCURSEL, index, 0);
    notifyParent(list, LBN_DBLCLK);
    return true;
  }
  if (isDropDown(control)) {
    ::SendMessageW(control, CB_SETCURSEL, index, 0);
    notifyParent(control, CBN_SELCHANGE);
    return true;
  }
  if (isListBox(control)) {
    ::SendMessageW(control, LB_SETCURSEL, index, 0);
    notifyParent(control, LBN_SELCHANGE);
    return true;
  }
  return false;
}

bool doubleClick(HWND control, int index) {
  if (!isListBox(control) || !choose(control, index)) return false;
  notifyParent(control, LBN_DBLCLK);
  return true;
}

bool typeText(HWND control, std::string_view text) {
  const std::wstring kind = classOf(control);
  if (kind != L"Edit" && kind != L"EDIT") return false;
  ::SendMessageW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(toWide(text).c_str()));
  // Whether setting the text tells the parent differs between platforms; a second word is
  // harmless, as the window follows only a text that differs.
  notifyParent(control, EN_CHANGE);
  return true;
}

void closeWindow(HWND topLevel) {
  ::SendMessageW(topLevel, WM_CLOSE, 0, 0);
}

bool answerInputBox(HWND box, std::string_view text, bool ok) {
  HWND entry = findControl(box, "entry");
  if (!entry) return false;
  ::SendMessageW(entry, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(toWide(text).c_str()));
  ::PostMessageW(box, WM_COMMAND, ok ? IDOK : IDCANCEL, 0);
  return true;
}

}  // namespace cw::win32
