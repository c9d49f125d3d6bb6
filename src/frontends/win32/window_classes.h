#pragma once

#include <windows.h>

#include <string>

namespace cw::win32 {

// The class names of the windows this library makes; a driver finds them by these.
inline constexpr wchar_t kFormClass[] = L"CorbelwickForm";          // a system window's client
inline constexpr wchar_t kModalClass[] = L"CorbelwickModal";        // a modal window
inline constexpr wchar_t kFrameClass[] = L"CorbelwickFrame";        // a host frame
inline constexpr wchar_t kInputBoxClass[] = L"CorbelwickInputBox";  // the input box
inline constexpr wchar_t kPanelClass[] = L"CorbelwickPanel";        // a directory list

// Sent to a system window's client, it brings the lists up to their models at once (they
// follow in a batch when the thread next reads its messages otherwise).
inline constexpr UINT kSyncListsMessage = WM_APP + 1;

// An object that answers the messages of one window of these classes. The window is made with
// the object as its creation parameter; the object is no longer called once it is destroyed.
class MessageTarget {
 public:
  virtual ~MessageTarget() = default;
  virtual LRESULT handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) = 0;
};

// The module this code is linked into (the DLL inside the host, or the program).
HINSTANCE thisModule();

// Makes a window of one of the classes above, registering the classes on first use; the
// target may be nullptr (a panel passes its notifications to its parent).
HWND createWindow(DWORD exStyle, const wchar_t* className, const std::wstring& text, DWORD style,
                  int left, int top, int width, int height, HWND parent, MessageTarget* target);

// Unregisters the classes (the module is being unloaded: the class would keep its address).
void unregisterWindowClasses();

// Whether the system's wait pointer is shown over the windows.
bool& waitPointerShown();

// Shows a failure that escaped a window's event: the system's handlers report their own, so
// this is a programming error, but it must not cross into the platform's message dispatch.
void showUnexpectedFailure(const char* what) noexcept;

}  // namespace cw::win32
