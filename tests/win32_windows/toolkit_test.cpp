// The toolkit on the Windows desktop: message boxes and the input box as the user answers them,
// modal windows whose loop ends when they hide, and the host's frames.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "frontends/win32/form_view.h"
#include "frontends/win32/host_frames.h"
#include "frontends/win32/input_box.h"
#include "frontends/win32/win32_toolkit.h"
#include "frontends/win32/window_classes.h"
#include "ui/lists/frm_load_list.h"
#include "win32_windows/dialog_answerer.h"
#include "win32_windows/probe_window.h"
#include "win32_windows/rendered_windows.h"

namespace cw::win32::testing {
namespace {

using platform::MessageButtons;
using platform::MessageResult;
using Names = std::vector<std::string>;

std::string textOf(HWND window) {
  return controlText(window);
}

// What a message box showed: its text, title and buttons, and whether it had an icon.
struct ShownBox {
  std::string text;
  std::string title;
  bool ok = false, yes = false, no = false, icon = false;
};

TEST(MessageBoxes, OkOrYesNoWithoutIconUnderTheTitle) {
  struct Case {
    MessageButtons buttons;
    int press;
    MessageResult expected;
  };
  const Case cases[] = {
      {MessageButtons::kOk, IDOK, MessageResult::kOk},
      {MessageButtons::kYesNo, IDYES, MessageResult::kYes},
      {MessageButtons::kYesNo, IDNO, MessageResult::kNo},
  };
  Win32WindowHost host("CorbelwickGIS");
  for (const Case& c : cases) {
    ShownBox shown;
    DialogAnswerer answerer(L"#32770", [&](HWND box) {
      shown.text = textOf(::GetDlgItem(box, 0xFFFF));
      shown.title = textOf(box);
      shown.ok = ::GetDlgItem(box, IDOK) != nullptr;
      shown.yes = ::GetDlgItem(box, IDYES) != nullptr;
      shown.no = ::GetDlgItem(box, IDNO) != nullptr;
      // The box's icon control, by its number on either platform: absent, hidden or empty.
      for (int id : {0x14, 0x440}) {
        HWND icon = ::GetDlgItem(box, id);
        if (icon && (::GetWindowLongW(icon, GWL_STYLE) & WS_VISIBLE) &&
            ::SendMessageW(icon, STM_GETICON, 0, 0)) {
          shown.icon = true;
        }
      }
      ::PostMessageW(box, WM_COMMAND, c.press, 0);
    });
    EXPECT_EQ(host.messageBox("Delete the group?\r\nParks", c.buttons), c.expected);
    EXPECT_EQ(answerer.answered(), 1);
    EXPECT_EQ(shown.text, "Delete the group?\r\nParks");
    EXPECT_EQ(shown.title, "CorbelwickGIS");
    const bool question = c.buttons == MessageButtons::kYesNo;
    EXPECT_EQ(shown.yes && shown.no, question);
    EXPECT_EQ(shown.ok, !question);
    EXPECT_FALSE(shown.icon);
  }
}

TEST(InputBox, ShowsThePromptAnEmptyEntryAndYieldsWhatWasTypedOrNothing) {
  struct Case {
    const char* typed;
    bool ok;
    const char* expected;
  };
  const Case cases[] = {
      {"Riverside", true, "Riverside"}, {"", true, ""}, {"Riverside", false, ""},  // Cancel
  };
  Win32WindowHost host("CorbelwickGIS");
  for (const Case& c : cases) {
    std::string prompt, entry = "<none>", title;
    DialogAnswerer answerer(kInputBoxClass, [&](HWND box) {
      prompt = controlText(findControl(box, kInputBoxPrompt));
      entry = controlText(findControl(box, kInputBoxEntry));
      title = controlText(box);
      EXPECT_EQ(findInputBox(), box);
      EXPECT_EQ(controlText(findControl(box, kInputBoxOk)), "OK");
      EXPECT_EQ(controlText(findControl(box, kInputBoxCancel)), "Cancel");
      answerInputBox(box, c.typed, c.ok);
    });
    EXPECT_EQ(host.inputBox("Name the new group:"), c.expected);
    EXPECT_EQ(prompt, "Name the new group:");
    EXPECT_EQ(entry, "");
    EXPECT_EQ(title, "CorbelwickGIS");
    EXPECT_EQ(findInputBox(), nullptr) << "gone once answered";
  }
}

// Enter answers for OK and Escape for Cancel, typed in the entry.
TEST(InputBox, EnterIsOkAndEscapeIsCancel) {
  struct Case {
    WPARAM key;
    const char* expected;
  };
  Win32WindowHost host("CorbelwickGIS");
  for (const Case& c : {Case{VK_RETURN, "Harbour"}, Case{VK_ESCAPE, ""}}) {
    DialogAnswerer answerer(kInputBoxClass, [&c](HWND box) {
      HWND entry = findControl(box, kInputBoxEntry);
      ::SendMessageW(entry, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"Harbour"));
      ::PostMessageW(entry, WM_KEYDOWN, c.key, 1);
    });
    EXPECT_EQ(host.inputBox("Name:"), c.expected);
  }
}

TEST(InputBox, ItsCloseControlIsCancel) {
  Win32WindowHost host("CorbelwickGIS");
  DialogAnswerer answerer(kInputBoxClass, [](HWND box) {
    ::SendMessageW(findControl(box, kInputBoxEntry), WM_SETTEXT, 0,
                   reinterpret_cast<LPARAM>(L"typed"));
    ::PostMessageW(box, WM_CLOSE, 0, 0);
  });
  EXPECT_EQ(host.inputBox("Name:"), "");
}

// The hourglass stays over the system's windows, whatever control the pointer is over, until
// the default pointer is back.
TEST(MousePointer, TheHourglassStaysOverTheWindowsUntilTheDefaultIsBack) {
  OwnerWindow owner;
  ProbeWindow window;
  FormView view(window, owner.handle(), PixelScale::fromDpi(96, 96));
  Win32WindowHost host("CorbelwickGIS");
  HCURSOR wait = ::LoadCursorA(nullptr, IDC_WAIT);
  const auto pointerOver = [&view](const char* control) {
    ::SetCursor(nullptr);
    ::SendMessageW(view.handle(), WM_SETCURSOR,
                   reinterpret_cast<WPARAM>(view.controlWindow(control)),
                   MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    return ::GetCursor();
  };
  host.setMousePointer(platform::MousePointer::kHourglass);
  EXPECT_EQ(::GetCursor(), wait);
  EXPECT_EQ(pointerOver("lnk"), wait) << "not the link's hand";
  EXPECT_EQ(pointerOver("btn"), wait);
  host.setMousePointer(platform::MousePointer::kDefault);
  EXPECT_EQ(::GetCursor(), ::LoadCursorA(nullptr, IDC_ARROW));
  EXPECT_EQ(pointerOver("lnk"), ::LoadCursorA(nullptr, IDC_HAND));
}

class ModalWindows : public ::testing::Test {
 protected:
  cw::testing::TestApp app;
  Win32WindowHost host{"CorbelwickGIS"};
};

// The open-list window shown modally over the file system: its lists show the drives, the
// directory and its files; entering a directory lists its files; Cancel ends the loop.
TEST_F(ModalWindows, TheLoopEndsWhenTheWindowHides) {
  app.drives.write("C:\\Lists\\a.bmk", "");
  app.drives.write("C:\\Lists\\b.txt", "");
  ui::FrmLoadList window(app.module.listWindowParts());
  Names drives, directories, files;
  std::string caption;
  SoonAction act([&] {
    HWND form = findShownWindow("frmLoadList");
    ASSERT_NE(form, nullptr);
    caption = controlText(topLevelOf(form));
    drives = listEntries(findControl(form, "Drive1"));
    directories = listEntries(findControl(form, "Dir1"));
    const auto at = std::find(directories.begin(), directories.end(), "Lists");
    ASSERT_NE(at, directories.end());
    choose(findControl(form, "Dir1"), static_cast<int>(at - directories.begin()));
    pumpMessages();
    files = listEntries(findControl(form, "File1"));
    press(findControl(form, "btnCancel"));
  });
  host.showModal(window);
  EXPECT_FALSE(window.isVisible());
  EXPECT_EQ(findShownWindow("frmLoadList"), nullptr) << "the dialog is gone";
  EXPECT_EQ(caption, "Open Saved Bookmark File");
  EXPECT_EQ(drives, Names{"C:"});
  EXPECT_EQ(window.get<ui::DirectoryList>("Dir1").path(), "C:\\Lists");
  EXPECT_EQ(files, Names{"a.bmk"});
}

TEST_F(ModalWindows, TheCloseControlIsTheWindows) {
  ui::FrmLoadList window(app.module.listWindowParts());
  SoonAction act([] { closeWindow(topLevelOf(findShownWindow("frmLoadList"))); });
  host.showModal(window);
  EXPECT_FALSE(window.isVisible());
}

TEST(HostFrames, AToolWindowOwnedByTheHostThatItsCloseControlHides) {
  OwnerWindow owner;
  Win32FrameProvider frames([&owner] { return owner.handle(); },
                            [] { return PixelScale::fromDpi(96, 96); });
  ProbeWindow window;
  Win32HostFrame& frame = frames.createFrame();
  EXPECT_FALSE(frames.showsWindow(window));
  frame.bind(window);
  EXPECT_TRUE(window.isLoaded()) << "binding loads the window";
  EXPECT_TRUE(frames.showsWindow(window));
  frame.setCaption("CorbelwickBookmarks");
  frame.setVisible(true);

  HWND shown = frame.hwnd();
  EXPECT_TRUE(::IsWindowVisible(shown));
  EXPECT_TRUE(window.isVisible());
  EXPECT_EQ(::GetWindow(shown, GW_OWNER), owner.handle());
  EXPECT_TRUE(::GetWindowLongW(shown, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
  EXPECT_EQ(controlText(shown), "CorbelwickBookmarks");
  RECT client{};
  ::GetClientRect(shown, &client);
  EXPECT_EQ(client.right, 320);  // 4800 twips
  EXPECT_EQ(client.bottom, 240);
  HWND form = findShownWindow("frmProbe");
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(topLevelOf(form), shown);

  frame.move(40, 50, 0, 0);
  RECT placed{};
  ::GetWindowRect(shown, &placed);
  EXPECT_EQ(placed.left, 40);
  EXPECT_EQ(placed.top, 50);

  closeWindow(shown);
  EXPECT_FALSE(::IsWindowVisible(shown));
  EXPECT_FALSE(window.isVisible());
  EXPECT_TRUE(window.isLoaded()) << "hidden, not unloaded";
  EXPECT_EQ(findShownWindow("frmProbe"), nullptr);

  frame.setVisible(true);
  EXPECT_TRUE(::IsWindowVisible(shown));
  EXPECT_TRUE(window.isVisible());
}

// The host's own message loop calls nothing for dialog keys: Tab still moves through a frame.
TEST(HostFrames, TabMovesBetweenTheControlsOfAFrame) {
  OwnerWindow owner;
  Win32FrameProvider frames([&owner] { return owner.handle(); },
                            [] { return PixelScale::fromDpi(96, 96); });
  ProbeWindow window;
  Win32HostFrame& frame = frames.createFrame();
  frame.bind(window);
  frame.setVisible(true);
  ::SetForegroundWindow(frame.hwnd());
  HWND form = findShownWindow("frmProbe");
  HWND button = findControl(form, "btn");
  ::SetFocus(button);
  ASSERT_EQ(::GetFocus(), button);
  ::PostMessageW(button, WM_KEYDOWN, VK_TAB, 0);
  ::PostMessageW(button, WM_KEYUP, VK_TAB, 0xC0000001);
  MSG message{};
  while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {  // a loop as plain as a host's
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
  EXPECT_NE(::GetFocus(), button);
  EXPECT_TRUE(::IsChild(form, ::GetFocus())) << "the focus left the frame";
}

}  // namespace
}  // namespace cw::win32::testing
