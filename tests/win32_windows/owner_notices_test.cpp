// The toolkit tells the owner of its windows of each pointer change and each link before it acts:
// an owner that answers takes the links, one that does not (a real host) leaves the toolkit to
// act as it always has.

#include "frontends/win32/owner_notices.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "frontends/win32/win32_toolkit.h"
#include "platform/win32/wide_text.h"
#include "win32_windows/rendered_windows.h"

namespace cw::win32::testing {
namespace {

using Lines = std::vector<std::string>;
using platform::MousePointer;
using platform::win32::fromWide;

// A host's main window that writes down the notices it hears, answering them as told.
class ListeningOwner {
 public:
  explicit ListeningOwner(LRESULT answer) : answer_(answer) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = &ListeningOwner::procedure;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"CwListeningOwner";
    ::RegisterClassW(&windowClass);  // fails harmlessly once it is there
    window_ = ::CreateWindowExW(0, windowClass.lpszClassName, L"Host", WS_OVERLAPPEDWINDOW, 0, 0,
                                200, 100, nullptr, nullptr, windowClass.hInstance, this);
  }
  ~ListeningOwner() { ::DestroyWindow(window_); }
  ListeningOwner(const ListeningOwner&) = delete;
  ListeningOwner& operator=(const ListeningOwner&) = delete;

  HWND handle() const { return window_; }
  Lines heard;

 private:
  static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
      auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
      ::SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<ListeningOwner*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self && message == pointerNotice()) {
      self->heard.push_back(wParam == kPointerWait ? "pointer wait" : "pointer default");
      return self->answer_;
    }
    if (self && message == linkNotice()) {
      self->heard.push_back("link " + fromWide(linkOf(lParam)));
      return self->answer_;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
  }

  LRESULT answer_;
  HWND window_ = nullptr;
};

TEST(OwnerNotices, TheOwnerHearsThePointerAndTheLinkAndTakesTheLinkOnlyWhenItSaysSo) {
  const std::string link = "https://example.com/Caf\xC3\xA9";
  struct Case {
    const char* owner;
    bool listens;  // an owner that hears the notices, or a plain window
    LRESULT answer;
    bool launched;
  };
  const Case cases[] = {
      {"answers that it took the link", true, kNoticeHandled, false},
      {"hears but does not take it", true, 0, true},
      {"answers something else", true, 1, true},
      {"knows nothing of the notices", false, 0, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.owner);
    ListeningOwner listening(c.answer);
    OwnerWindow plain;
    HWND owner = c.listens ? listening.handle() : plain.handle();
    Lines launched;
    Win32WindowHost host("CorbelwickGIS", [owner] { return owner; });
    Win32Shell shell(
        [owner] { return owner; },
        [&launched](const std::wstring& target) { launched.push_back(fromWide(target)); });

    host.setMousePointer(MousePointer::kHourglass);
    EXPECT_EQ(::GetCursor(), ::LoadCursorA(nullptr, IDC_WAIT)) << "set whatever the owner says";
    host.setMousePointer(MousePointer::kDefault);
    EXPECT_EQ(::GetCursor(), ::LoadCursorA(nullptr, IDC_ARROW));
    shell.openLink(link);

    const Lines heard{"pointer wait", "pointer default", "link " + link};
    EXPECT_EQ(listening.heard, c.listens ? heard : Lines{});
    EXPECT_EQ(launched, c.launched ? Lines{link} : Lines{});
  }
}

TEST(OwnerNotices, WithoutAnOwnerThePointerIsSetAndTheShellOpensTheLink) {
  HWND gone = nullptr;
  {
    OwnerWindow closed;
    gone = closed.handle();
  }
  Lines launched;
  for (const WindowOwner& none :
       {WindowOwner{}, WindowOwner{[] { return HWND{}; }}, WindowOwner{[gone] { return gone; }}}) {
    Win32WindowHost host("CorbelwickGIS", none);
    Win32Shell shell(
        none, [&launched](const std::wstring& target) { launched.push_back(fromWide(target)); });
    host.setMousePointer(MousePointer::kHourglass);
    EXPECT_EQ(::GetCursor(), ::LoadCursorA(nullptr, IDC_WAIT));
    host.setMousePointer(MousePointer::kDefault);
    shell.openLink("mailto:info@example.com");
  }
  EXPECT_EQ(launched, Lines(3, "mailto:info@example.com"));
}

}  // namespace
}  // namespace cw::win32::testing
