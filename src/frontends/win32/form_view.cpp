#include "frontends/win32/form_view.h"

#include <commctrl.h>

#include "frontends/win32/control_names.h"
#include "frontends/win32/list_sync.h"
#include "frontends/win32/window_font.h"
#include "platform/win32/wide_text.h"
#include "ui/controls/file_lists.h"
#include "ui/controls/selectable.h"
#include "ui/controls/simple_controls.h"
#include "ui/controls/window.h"

namespace cw::win32 {

namespace {

using platform::win32::fromWide;
using platform::win32::toWide;
using K = ui::ControlKind;

constexpr int kFirstControlId = 1000;
constexpr wchar_t kTooltipsProperty[] = L"CorbelwickTooltips";

std::wstring textOf(HWND window) {
  const int length = ::GetWindowTextLengthW(window);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  text.resize(static_cast<std::size_t>(::GetWindowTextW(window, text.data(), length + 1)));
  return text;
}

void setText(HWND window, const std::string& text) {
  const std::wstring wanted = toWide(text);
  if (textOf(window) != wanted) ::SetWindowTextW(window, wanted.c_str());
}

bool isListKind(K kind) {
  return kind == K::kListBox || kind == K::kFileList || kind == K::kDriveList ||
         kind == K::kDirectoryList;
}

struct Made {
  const wchar_t* className;
  DWORD style;
  DWORD exStyle;
};

Made classOf(K kind) {
  constexpr DWORD kList = LBS_NOTIFY | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT | WS_VSCROLL;
  switch (kind) {
    case K::kButton:
      return {L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0};
    case K::kCheckBox:
      return {L"BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP, 0};
    case K::kTextBox:
      return {L"EDIT", ES_LEFT | ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE};
    case K::kLabel:
      return {L"STATIC", SS_LEFT | SS_NOPREFIX | SS_NOTIFY, 0};
    case K::kLinkLabel:
      return {L"STATIC", SS_LEFTNOWORDWRAP | SS_NOPREFIX | SS_NOTIFY, 0};
    case K::kFrame:
      return {L"BUTTON", BS_GROUPBOX, 0};
    case K::kPicture:
      return {L"STATIC", SS_OWNERDRAW | SS_NOTIFY, 0};
    case K::kListBox:
    case K::kFileList:
      return {L"LISTBOX", kList | WS_TABSTOP, WS_EX_CLIENTEDGE};
    case K::kDriveList:
      return {L"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0};
    case K::kDirectoryList:
      return {kPanelClass, WS_TABSTOP, WS_EX_CONTROLPARENT};
  }
  return {L"STATIC", 0, 0};
}

}  // namespace

FormView::FormView(ui::Window& window, HWND parent, PixelScale scale)
    : window_(window), scale_(scale), alive_(std::make_shared<FormView*>(this)) {
  const ui::WindowSpec& spec = window.spec();
  const DWORD style = (parent ? WS_CHILD : WS_POPUP) | WS_VISIBLE | WS_CLIPCHILDREN;
  form_ = createWindow(WS_EX_CONTROLPARENT, kFormClass, L"", style, 0, 0, scale.x(spec.width),
                       scale.y(spec.height), parent, this);
  setWindowName(form_, spec.name);
  font_ = createWindowFont(scale);
  linkFont_ = createWindowFont(scale, true);

  INITCOMMONCONTROLSEX common{sizeof common, ICC_WIN95_CLASSES};
  ::InitCommonControlsEx(&common);
  tooltips_ = ::CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0, 0, 0,
                                form_, nullptr, thisModule(), nullptr);
  if (tooltips_) ::SetPropW(form_, kTooltipsProperty, tooltips_);

  bindings_.reserve(window.controls().size());
  for (const auto& control : window.controls()) {
    const ui::ControlSpec& cs = control->spec();
    PixelRect at = toPixels(cs.position, scale);
    if (auto container = placed_.find(cs.container);
        !cs.container.empty() && container != placed_.end()) {
      at.left += container->second.left;
      at.top += container->second.top;
    }
    placed_.emplace(cs.name, at);
    createControl(*control, at);
  }
  // Frames lie under everything, so the controls they hold are drawn over them.
  for (const Binding& binding : bindings_) {
    if (binding.model->kind() == K::kFrame) {
      ::SetWindowPos(binding.window, HWND_BOTTOM, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
  }
  for (std::size_t i = 0; i < bindings_.size(); ++i) follow(i);
  sync();
}

FormView::~FormView() {
  alive_.reset();
  for (const Binding& binding : bindings_) clearWindowName(binding.window);
  if (form_) {
    ::RemovePropW(form_, kTooltipsProperty);
    clearWindowName(form_);
    // What the controls say as they go (a text box losing the focus) is no longer for this
    // view: the window's models may be gone already, as when the process ends.
    ::SetWindowLongPtrW(form_, GWLP_USERDATA, 0);
    ::DestroyWindow(form_);  // its tooltips and controls with it
  }
  if (font_) ::DeleteObject(font_);
  if (linkFont_) ::DeleteObject(linkFont_);
}

void FormView::createControl(ui::Control& control, const PixelRect& at) {
  const ui::ControlSpec& cs = control.spec();
  const Made made = classOf(cs.kind);
  const auto id = static_cast<int>(kFirstControlId + bindings_.size());
  // A drop-down list's height is that of its list when dropped; the closed one is set below.
  const int height = cs.kind == K::kDriveList ? at.height + scale_.y(2400) : at.height;
  HWND handle = ::CreateWindowExW(
      made.exStyle, made.className, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | made.style,
      at.left, at.top, at.width, height, form_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
      thisModule(), nullptr);
  Binding binding;
  binding.model = &control;
  binding.window = handle;
  ::SendMessageW(handle, WM_SETFONT,
                 reinterpret_cast<WPARAM>(cs.kind == K::kLinkLabel ? linkFont_ : font_), FALSE);
  setWindowName(handle, cs.name);
  if (cs.kind == K::kListBox || cs.kind == K::kFileList) binding.list = handle;
  if (cs.kind == K::kDriveList) {
    binding.list = handle;
    // Its closed height follows the height of its selection field, which platforms count
    // differently (one adds its own border to what it is given): corrected until it is right.
    auto field = static_cast<int>(::SendMessageW(handle, CB_GETITEMHEIGHT, WPARAM(-1), 0));
    for (int attempt = 0; attempt < 3; ++attempt) {
      RECT closed{};
      ::GetWindowRect(handle, &closed);
      const int off = at.height - (closed.bottom - closed.top);
      if (off == 0 || field + off <= 0) break;
      field += off;
      ::SendMessageW(handle, CB_SETITEMHEIGHT, WPARAM(-1), field);
    }
  }
  if (cs.kind == K::kDirectoryList) {
    // The path above the directories, as one line.
    const int line = lineHeight(font_) + 2;
    binding.label = ::CreateWindowExW(0, L"STATIC", L"",
                                      WS_CHILD | WS_VISIBLE | SS_LEFTNOWORDWRAP | SS_NOPREFIX, 0, 0,
                                      at.width, line, handle, nullptr, thisModule(), nullptr);
    binding.list =
        ::CreateWindowExW(WS_EX_CLIENTEDGE, L"LISTBOX", L"",
                          WS_CHILD | WS_VISIBLE | WS_TABSTOP | LBS_NOTIFY | LBS_HASSTRINGS |
                              LBS_NOINTEGRALHEIGHT | WS_VSCROLL,
                          0, line, at.width, at.height - line, handle,
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), thisModule(), nullptr);
    ::SendMessageW(binding.label, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    ::SendMessageW(binding.list, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  }
  if (!cs.tooltip.empty()) addTooltip(binding.list ? binding.list : handle, cs.tooltip);
  const std::size_t index = bindings_.size();
  byName_.emplace(cs.name, index);
  byWindow_.emplace(handle, index);
  if (binding.list) byWindow_.emplace(binding.list, index);
  bindings_.push_back(std::move(binding));
}

void FormView::addTooltip(HWND control, const std::string& text) {
  if (!tooltips_) return;
  std::wstring wide = toWide(text);
  TOOLINFOW tool{};
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = form_;
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  tool.lpszText = wide.data();
  ::SendMessageW(tooltips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void FormView::follow(std::size_t index) {
  std::weak_ptr<FormView*> alive = alive_;
  bindings_[index].model->addListener([alive, index] {
    if (auto view = alive.lock()) {
      Binding& binding = (*view)->bindings_[index];
      if (isListKind(binding.model->kind())) {
        (*view)->scheduleListSync(index);
      } else {
        (*view)->refresh(binding);
      }
    }
  });
}

void FormView::refresh(Binding& binding) {
  ui::Control& model = *binding.model;
  switch (model.kind()) {
    case K::kButton:
    case K::kLabel:
    case K::kLinkLabel:
    case K::kFrame:
      setText(binding.window, model.caption());
      break;
    case K::kCheckBox: {
      setText(binding.window, model.caption());
      const int value = static_cast<ui::CheckBox&>(model).value();
      ::SendMessageW(binding.window, BM_SETCHECK, value ? BST_CHECKED : BST_UNCHECKED, 0);
      break;
    }
    case K::kTextBox:
      writing_ = true;
      setText(binding.window, model.caption());
      writing_ = false;
      break;
    case K::kPicture:
      break;
    case K::kListBox:
    case K::kFileList:
    case K::kDriveList:
    case K::kDirectoryList:
      refreshList(binding);
      break;
  }
}

void FormView::refreshList(Binding& binding) {
  binding.stale = false;
  const ui::Control& model = *binding.model;
  if (const auto* directories = dynamic_cast<const ui::DirectoryList*>(&model)) {
    setText(binding.label, directories->path());
  }
  syncEntries(binding.list, model.kind() == K::kDriveList, binding.shown, entriesOf(model),
              selectionOf(model));
}

void FormView::scheduleListSync(std::size_t index) {
  bindings_[index].stale = true;
  if (syncPosted_) return;
  syncPosted_ = ::PostMessageW(form_, kSyncListsMessage, 0, 0) != FALSE;
  if (!syncPosted_) refreshList(bindings_[index]);
}

void FormView::sync() {
  for (Binding& binding : bindings_) {
    if (isListKind(binding.model->kind())) {
      refreshList(binding);
    } else {
      refresh(binding);
    }
  }
}

HWND FormView::controlWindow(std::string_view name) const {
  auto it = byName_.find(name);
  return it == byName_.end() ? nullptr : bindings_[it->second].window;
}

FormView::Binding* FormView::bindingOf(HWND window) {
  auto it = byWindow_.find(window);
  return it == byWindow_.end() ? nullptr : &bindings_[it->second];
}

void FormView::command(Binding& binding, HWND source, int code) {
  ui::Control& model = *binding.model;
  auto* entries = dynamic_cast<ui::Selectable*>(&model);
  const auto chosen = [&](UINT message) {
    const auto index = static_cast<int>(::SendMessageW(source, message, 0, 0));
    return entries && index >= 0 && index < entries->entryCount() ? index : -1;
  };
  switch (model.kind()) {
    case K::kButton:
      if (code == BN_CLICKED) model.fire(ui::Event::kClick);
      break;
    case K::kCheckBox:
      if (code == BN_CLICKED) {
        const bool ticked = ::SendMessageW(source, BM_GETCHECK, 0, 0) == BST_CHECKED;
        static_cast<ui::CheckBox&>(model).setValue(ticked ? 1 : 0);
        model.fire(ui::Event::kClick);
      }
      break;
    case K::kTextBox:
      if (code == EN_CHANGE && !writing_) {
        auto& box = static_cast<ui::TextBox&>(model);
        const std::string typed = fromWide(textOf(source));
        if (typed != box.text()) {
          box.setText(typed);
          box.fire(ui::Event::kChange);
        }
      }
      break;
    case K::kLabel:
    case K::kLinkLabel:
    case K::kPicture:
      if (code == STN_CLICKED) model.fire(ui::Event::kClick);
      break;
    case K::kListBox:
    case K::kFileList:
      if (code == LBN_SELCHANGE) {
        if (const int index = chosen(LB_GETCURSEL); index >= 0) entries->selectEntry(index);
      } else if (code == LBN_DBLCLK) {
        model.fire(ui::Event::kDblClick);
      }
      break;
    case K::kDirectoryList:
      if (code == LBN_DBLCLK) {
        if (const int index = chosen(LB_GETCURSEL); index >= 0) entries->selectEntry(index);
      }
      break;
    case K::kDriveList:
      if (code == CBN_SELCHANGE) {
        if (const int index = chosen(CB_GETCURSEL); index >= 0) entries->selectEntry(index);
      }
      break;
    case K::kFrame:
      break;
  }
}

void FormView::drawPicture(const DRAWITEMSTRUCT& item) {
  // The product's mark: a sun over the company's name on its blue.
  HDC dc = item.hDC;
  const RECT r = item.rcItem;
  HBRUSH blue = ::CreateSolidBrush(RGB(0x1f, 0x4e, 0x79));
  ::FillRect(dc, &r, blue);
  const int h = r.bottom - r.top;
  HBRUSH sun = ::CreateSolidBrush(RGB(0xf2, 0xc1, 0x4e));
  HGDIOBJ oldBrush = ::SelectObject(dc, sun);
  HGDIOBJ oldPen = ::SelectObject(dc, ::GetStockObject(NULL_PEN));
  const int cx = r.left + h * 45 / 100;
  const int cy = r.top + h / 2;
  ::Ellipse(dc, cx - h * 3 / 10, cy - h * 3 / 10, cx + h * 3 / 10, cy + h * 3 / 10);
  ::SelectObject(dc, blue);
  ::Ellipse(dc, cx - h * 12 / 100, cy - h * 12 / 100, cx + h * 12 / 100, cy + h * 12 / 100);
  ::SelectObject(dc, oldPen);
  ::SelectObject(dc, oldBrush);
  ::DeleteObject(sun);
  ::DeleteObject(blue);
  HGDIOBJ oldFont = ::SelectObject(dc, font_);
  ::SetTextColor(dc, RGB(255, 255, 255));
  ::SetBkMode(dc, TRANSPARENT);
  RECT text{r.left + h * 85 / 100, r.top, r.right, r.bottom};
  wchar_t name[] = L"Corbelwick\nGIS";
  RECT measured = text;
  ::DrawTextW(dc, name, -1, &measured, DT_CALCRECT | DT_WORDBREAK);
  text.top += (h - (measured.bottom - measured.top)) / 2;
  ::DrawTextW(dc, name, -1, &text, DT_WORDBREAK | DT_LEFT);
  ::SelectObject(dc, oldFont);
}

LRESULT FormView::handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case kSyncListsMessage:
      syncPosted_ = false;
      for (Binding& binding : bindings_) {
        if (binding.stale) refreshList(binding);
      }
      return 0;
    case WM_COMMAND: {
      auto source = reinterpret_cast<HWND>(lParam);
      if (Binding* binding = bindingOf(source)) {
        command(*binding, source, HIWORD(wParam));
        // The model may have refused the user's choice: the list shows the model again.
        if (isListKind(binding->model->kind())) {
          scheduleListSync(static_cast<std::size_t>(binding - bindings_.data()));
        }
      }
      return 0;
    }
    case WM_CTLCOLORSTATIC: {
      Binding* binding = bindingOf(reinterpret_cast<HWND>(lParam));
      if (binding && binding->model->kind() == K::kLinkLabel) {
        auto dc = reinterpret_cast<HDC>(wParam);
        ::SetTextColor(dc, RGB(0, 0, 0xee));
        ::SetBkMode(dc, TRANSPARENT);
        return reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_BTNFACE));
      }
      break;
    }
    case WM_DRAWITEM: {
      const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      Binding* binding = bindingOf(item.hwndItem);
      if (binding && binding->model->kind() == K::kPicture) {
        drawPicture(item);
        return TRUE;
      }
      break;
    }
    case WM_SETCURSOR: {
      Binding* binding = bindingOf(reinterpret_cast<HWND>(wParam));
      const bool pointing =
          binding && (binding->model->kind() == K::kLinkLabel ||
                      (binding->model->kind() == K::kPicture &&
                       window_.hasHandler(binding->model->name(), ui::Event::kClick)));
      if (pointing) {
        ::SetCursor(::LoadCursorA(nullptr, IDC_HAND));
        return TRUE;
      }
      break;
    }
    default:
      break;
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace cw::win32
