#pragma once

#include <windows.h>

#include <memory>

#include "command/corbelwick_bookmarks.h"
#include "hosts/com/host_interfaces.h"

namespace cw {
class Module;
}
namespace cw::host {
class MapHost;
}

namespace cw::com {

// What a command object works with: the process-wide parts of the system, and the running
// application it hands the command once the host's hook turns out to be the application.
struct CommandServices {
  Module& module;
  host::MapHost& application;
};

// The creatable class as the host sees it: the host's ICommand, and the class's default
// interface (a dispatch interface without members) as IDispatch. Every member hands on to the
// portable command; texts go out as BSTRs, booleans as VARIANT_BOOL, the picture as an HBITMAP.
class ComCommand final : public ICommand, public IDispatch {
 public:
  // A new instance with one reference, counted among the module's live objects, over the
  // services `source` hands out (it may fail: the failure becomes the creation's result).
  static HRESULT create(CommandServices (*source)(), REFIID iid, void** object);

  // IUnknown (the ICommand and IDispatch slots share these).
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  // ICommand
  HRESULT STDMETHODCALLTYPE get_Enabled(VARIANT_BOOL* enabled) override;
  HRESULT STDMETHODCALLTYPE get_Checked(VARIANT_BOOL* checked) override;
  HRESULT STDMETHODCALLTYPE get_Name(BSTR* name) override;
  HRESULT STDMETHODCALLTYPE get_Caption(BSTR* caption) override;
  HRESULT STDMETHODCALLTYPE get_Tooltip(BSTR* tooltip) override;
  HRESULT STDMETHODCALLTYPE get_Message(BSTR* message) override;
  HRESULT STDMETHODCALLTYPE get_HelpFile(BSTR* helpFile) override;
  HRESULT STDMETHODCALLTYPE get_HelpContextID(LONG* helpId) override;
  HRESULT STDMETHODCALLTYPE get_Bitmap(OLE_HANDLE* bitmap) override;
  HRESULT STDMETHODCALLTYPE get_Category(BSTR* category) override;
  HRESULT STDMETHODCALLTYPE OnCreate(IDispatch* hook) override;
  HRESULT STDMETHODCALLTYPE OnClick() override;

  // IDispatch: the default interface has no members to call.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                          DISPID* ids) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID iid, LCID locale, WORD flags,
                                   DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                                   UINT* argumentError) override;

 private:
  explicit ComCommand(CommandServices services);
  ~ComCommand();
  ComCommand(const ComCommand&) = delete;
  ComCommand& operator=(const ComCommand&) = delete;

  LONG references_ = 1;
  host::MapHost& runningApplication_;
  CorbelwickBookmarks command_;
  // The creation hook as the host's application, held until the instance goes.
  IUnknown* application_ = nullptr;
};

}  // namespace cw::com
