// Every window of the system rendered as Win32 controls matches its description: one control of
// the right kind per line, with its caption, tooltip and font, at its place in pixels at 96 and
// 120 dpi, every caption fitting its control.

#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "ui/help/frm_help.h"
#include "ui/lists/frm_load_list.h"
#include "ui/lists/frm_save_list.h"
#include "ui/main/frm_main.h"
#include "win32_windows/rendered_windows.h"

namespace cw::win32::testing {
namespace {

using cw::testing::TestApp;
using K = ui::ControlKind;

struct WindowCase {
  const char* name;
  std::function<std::unique_ptr<ui::Window>(Module&)> make;
};

const WindowCase kWindows[] = {
    {"frmMain", [](Module& m) { return std::make_unique<ui::FrmMain>(m.mainWindowParts()); }},
    {"frmLoadList",
     [](Module& m) { return std::make_unique<ui::FrmLoadList>(m.listWindowParts()); }},
    {"frmSaveList",
     [](Module& m) { return std::make_unique<ui::FrmSaveList>(m.listWindowParts()); }},
    {"frmHelp", [](Module& m) { return std::make_unique<ui::FrmHelp>(m.helpWindowParts()); }},
};

const PixelScale kScales[] = {PixelScale::fromDpi(96, 96), PixelScale::fromDpi(120, 120)};

// The platform class and style each kind is made as.
bool madeAs(HWND control, K kind) {
  const std::wstring cls = classOf(control);
  const LONG style = styleOf(control);
  switch (kind) {
    case K::kButton:
      return cls == L"BUTTON" && (style & BS_TYPEMASK) == BS_PUSHBUTTON;
    case K::kCheckBox:
      return cls == L"BUTTON" && (style & BS_TYPEMASK) == BS_AUTOCHECKBOX;
    case K::kFrame:
      return cls == L"BUTTON" && (style & BS_TYPEMASK) == BS_GROUPBOX;
    case K::kTextBox:
      return cls == L"EDIT" && !(style & ES_MULTILINE);
    case K::kLabel:
      return cls == L"STATIC" && (style & SS_TYPEMASK) == SS_LEFT && (style & SS_NOTIFY);
    case K::kLinkLabel:
      return cls == L"STATIC" && (style & SS_TYPEMASK) == SS_LEFTNOWORDWRAP && (style & SS_NOTIFY);
    case K::kPicture:
      return cls == L"STATIC" && (style & SS_TYPEMASK) == SS_OWNERDRAW && (style & SS_NOTIFY);
    case K::kListBox:
    case K::kFileList:
      // Never the platform's own sort, which places ties as it likes.
      return cls == L"LISTBOX" && !(style & (LBS_SORT | LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) &&
             (style & LBS_NOTIFY);
    case K::kDriveList:
      return cls == L"COMBOBOX" && (style & 3) == CBS_DROPDOWNLIST;
    case K::kDirectoryList:
      return cls == L"CORBELWICKPANEL" && ::FindWindowExW(control, nullptr, L"ListBox", nullptr);
  }
  return false;
}

bool hasCaption(K kind) {
  return kind == K::kButton || kind == K::kCheckBox || kind == K::kFrame || kind == K::kLabel ||
         kind == K::kLinkLabel;
}

LOGFONTW fontOf(HWND control) {
  LOGFONTW font{};
  auto handle = reinterpret_cast<HFONT>(::SendMessageW(control, WM_GETFONT, 0, 0));
  ::GetObjectW(handle, sizeof font, &font);
  return font;
}

// The room a caption needs in its control, by the control's font: one line on a button, a link
// label and a frame's title (with the frame's and the check box's furniture beside it), and
// the wrapped lines of a label.
SIZE neededFor(HWND control, K kind, const std::string& caption, int dpi) {
  HDC dc = ::GetDC(control);
  HGDIOBJ old =
      ::SelectObject(dc, reinterpret_cast<HFONT>(::SendMessageW(control, WM_GETFONT, 0, 0)));
  std::wstring text(caption.begin(), caption.end());
  RECT rect{0, 0, placeIn(::GetParent(control), control).width, 0};
  const UINT flags = kind == K::kLabel ? DT_CALCRECT | DT_WORDBREAK : DT_CALCRECT | DT_SINGLELINE;
  ::DrawTextW(dc, text.c_str(), -1, &rect, flags | DT_NOPREFIX);
  ::SelectObject(dc, old);
  ::ReleaseDC(control, dc);
  SIZE size{rect.right - rect.left, rect.bottom - rect.top};
  const auto px = [dpi](int at96) { return ::MulDiv(at96, dpi, 96); };
  if (kind == K::kButton) size.cx += px(6);
  if (kind == K::kCheckBox) size.cx += px(13) + px(4);
  if (kind == K::kFrame) size.cx += px(16);
  return size;
}

class WindowLayout : public ::testing::Test {
 protected:
  TestApp app;
};

TEST_F(WindowLayout, EveryControlIsMadeAsItsDescriptionSays) {
  for (const WindowCase& c : kWindows) {
    for (const PixelScale& scale : kScales) {
      SCOPED_TRACE(std::string(c.name) + " at " + std::to_string(scale.dpiY()) + " dpi");
      auto window = c.make(app.module);
      FormView view(*window, nullptr, scale);
      const ui::WindowSpec& spec = window->spec();
      EXPECT_EQ(windowName(view.handle()), spec.name);
      EXPECT_EQ(placeIn(view.handle(), view.handle()),
                (PixelRect{0, 0, scale.x(spec.width), scale.y(spec.height)}));

      std::map<std::string, PixelRect> placed;
      for (const ui::ControlSpec& cs : spec.controls) {
        SCOPED_TRACE(cs.name);
        HWND control = findControl(view.handle(), cs.name);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(control, view.controlWindow(cs.name));
        EXPECT_TRUE(madeAs(control, cs.kind)) << ui::kindName(cs.kind);
        if (hasCaption(cs.kind)) {
          EXPECT_EQ(controlText(control), cs.caption);
        }
        EXPECT_EQ(tooltipOf(control), cs.tooltip);

        // Each place is its container's place and its own, each rounded on its own.
        PixelRect expected = toPixels(cs.position, scale);
        if (!cs.container.empty()) {
          expected.left += placed.at(cs.container).left;
          expected.top += placed.at(cs.container).top;
        }
        placed[cs.name] = expected;
        EXPECT_EQ(printed(placeIn(view.handle(), control)), printed(expected));

        // A directory list's panel draws nothing itself: its list carries the font.
        const LOGFONTW font = fontOf(cs.kind == K::kDirectoryList
                                         ? ::FindWindowExW(control, nullptr, L"ListBox", nullptr)
                                         : control);
        EXPECT_EQ(std::wstring(font.lfFaceName), L"MS Sans Serif");
        EXPECT_EQ(font.lfHeight, -::MulDiv(8, scale.dpiY(), 72));
        EXPECT_EQ(font.lfUnderline != 0, cs.kind == K::kLinkLabel);
      }
    }
  }
}

// Places worked out by hand from the descriptions' twips: a control in a frame, one beside the
// frames, a drop-down list's closed height, and a link label in the help window's frame.
TEST_F(WindowLayout, PlacesInPixelsAt96And120Dpi) {
  struct Place {
    const char* window;
    const char* control;
    int dpi;
    PixelRect expected;
  };
  const Place places[] = {
      {"frmMain", "btnZoom", 96, {328, 262, 65, 21}},
      {"frmMain", "btnZoom", 120, {410, 328, 81, 26}},
      {"frmMain", "chkViz", 96, {240, 140, 149, 17}},
      {"frmMain", "chkViz", 120, {300, 175, 186, 21}},
      {"frmMain", "lstbxGroup", 96, {16, 32, 305, 95}},
      {"frmMain", "lstbxGroup", 120, {20, 40, 381, 119}},
      {"frmLoadList", "Drive1", 96, {8, 8, 152, 21}},
      {"frmLoadList", "Drive1", 120, {10, 10, 190, 26}},
      {"frmHelp", "Label6", 96, {24, 176, 145, 17}},
      {"frmHelp", "Label6", 120, {30, 220, 181, 21}},
  };
  for (const Place& place : places) {
    SCOPED_TRACE(std::string(place.window) + "." + place.control + " at " +
                 std::to_string(place.dpi));
    for (const WindowCase& c : kWindows) {
      if (std::string(c.name) != place.window) continue;
      auto window = c.make(app.module);
      FormView view(*window, nullptr, PixelScale::fromDpi(place.dpi, place.dpi));
      EXPECT_EQ(printed(placeIn(view.handle(), view.controlWindow(place.control))),
                printed(place.expected));
    }
  }
}

TEST_F(WindowLayout, EveryCaptionFitsItsControl) {
  for (const WindowCase& c : kWindows) {
    for (const PixelScale& scale : kScales) {
      SCOPED_TRACE(std::string(c.name) + " at " + std::to_string(scale.dpiY()) + " dpi");
      auto window = c.make(app.module);
      FormView view(*window, nullptr, scale);
      for (const ui::ControlSpec& cs : window->spec().controls) {
        if (!hasCaption(cs.kind) || cs.caption.empty()) continue;
        HWND control = view.controlWindow(cs.name);
        const SIZE needed = neededFor(control, cs.kind, cs.caption, scale.dpiY());
        const PixelRect room = placeIn(view.handle(), control);
        EXPECT_LE(needed.cx, room.width) << cs.name << " \"" << cs.caption << "\"";
        EXPECT_LE(needed.cy, room.height) << cs.name << " \"" << cs.caption << "\"";
      }
    }
  }
}

}  // namespace
}  // namespace cw::win32::testing
