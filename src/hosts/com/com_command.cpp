#include "hosts/com/com_command.h"

#include <string>

#include "command/module.h"
#include "hosts/com/bstr_text.h"
#include "hosts/com/com_entry.h"
#include "hosts/com/command_picture.h"
#include "hosts/com/live_objects.h"
#include "hosts/com/module_ids.h"
#include "hosts/com/ole_handle.h"

namespace cw::com {

namespace {

VARIANT_BOOL toVariantBool(VariantBool value) {
  return value ? VARIANT_TRUE : VARIANT_FALSE;
}

template <typename Text>
HRESULT textOut(BSTR* out, Text&& text) {
  if (!out) return E_POINTER;
  *out = nullptr;
  return comEntry([&] { return toBstr(text(), out); });
}

}  // namespace

HRESULT ComCommand::create(CommandServices (*source)(), REFIID iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  return comEntry([&] {
    ComCommand* made = new ComCommand(source());
    const HRESULT result = made->QueryInterface(iid, object);
    made->Release();
    return result;
  });
}

ComCommand::ComCommand(CommandServices services)
    : runningApplication_(services.application), command_(services.module) {
  LiveObjects::add();
}

ComCommand::~ComCommand() {
  if (application_) application_->Release();
  LiveObjects::remove();
}

HRESULT ComCommand::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, kIidICommand)) {
    *object = static_cast<ICommand*>(this);
  } else if (IsEqualIID(iid, IID_IDispatch) || IsEqualIID(iid, kIidDefaultInterface)) {
    *object = static_cast<IDispatch*>(this);
  } else {
    *object = nullptr;
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

ULONG ComCommand::AddRef() {
  return static_cast<ULONG>(::InterlockedIncrement(&references_));
}

ULONG ComCommand::Release() {
  const LONG left = ::InterlockedDecrement(&references_);
  if (left == 0) delete this;
  return static_cast<ULONG>(left);
}

HRESULT ComCommand::get_Enabled(VARIANT_BOOL* enabled) {
  if (!enabled) return E_POINTER;
  return comEntry([&] {
    *enabled = toVariantBool(command_.Enabled());
    return S_OK;
  });
}

HRESULT ComCommand::get_Checked(VARIANT_BOOL* checked) {
  if (!checked) return E_POINTER;
  return comEntry([&] {
    *checked = toVariantBool(command_.Checked());
    return S_OK;
  });
}

HRESULT ComCommand::get_Name(BSTR* name) {
  return textOut(name, [&] { return command_.Name(); });
}

HRESULT ComCommand::get_Caption(BSTR* caption) {
  return textOut(caption, [&] { return command_.Caption(); });
}

HRESULT ComCommand::get_Tooltip(BSTR* tooltip) {
  return textOut(tooltip, [&] { return command_.Tooltip(); });
}

HRESULT ComCommand::get_Message(BSTR* message) {
  return textOut(message, [&] { return command_.Message(); });
}

HRESULT ComCommand::get_HelpFile(BSTR* helpFile) {
  return textOut(helpFile, [&] { return command_.HelpFile(); });
}

HRESULT ComCommand::get_HelpContextID(LONG* helpId) {
  if (!helpId) return E_POINTER;
  return comEntry([&] {
    *helpId = command_.HelpContextID();
    return S_OK;
  });
}

HRESULT ComCommand::get_Bitmap(OLE_HANDLE* bitmap) {
  if (!bitmap) return E_POINTER;
  return comEntry([&] {
    *bitmap = toOleHandle(commandPicture(command_.Bitmap()));
    return S_OK;
  });
}

HRESULT ComCommand::get_Category(BSTR* category) {
  return textOut(category, [&] { return command_.Category(); });
}

// The command keeps the hook only as the host's application, and hands the command the running
// application it reaches the host through; another object (or none) is held as no application,
// and the creation goes on: nothing but the instance reads it.
HRESULT ComCommand::OnCreate(IDispatch* hook) {
  return comEntry([&] {
    IUnknown* application = nullptr;
    if (hook) {
      void* asked = nullptr;
      if (SUCCEEDED(hook->QueryInterface(kIidIApplication, &asked))) {
        application = static_cast<IUnknown*>(asked);
      }
    }
    if (application_) application_->Release();
    application_ = application;
    host::MapHost* running = application ? &runningApplication_ : nullptr;
    command_.OnCreate(running);
    return S_OK;
  });
}

HRESULT ComCommand::OnClick() {
  return comEntry([&] {
    command_.OnClick();
    return S_OK;
  });
}

HRESULT ComCommand::GetTypeInfoCount(UINT* count) {
  if (!count) return E_POINTER;
  *count = 0;
  return S_OK;
}

HRESULT ComCommand::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
  if (!info) return E_POINTER;
  *info = nullptr;
  return DISP_E_BADINDEX;
}

HRESULT ComCommand::GetIDsOfNames(REFIID, LPOLESTR*, UINT count, LCID, DISPID* ids) {
  if (!ids) return E_POINTER;
  for (UINT i = 0; i < count; ++i) ids[i] = DISPID_UNKNOWN;
  return DISP_E_UNKNOWNNAME;
}

HRESULT ComCommand::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) {
  return DISP_E_MEMBERNOTFOUND;
}

}  // namespace cw::com
