#pragma once

// The host's own COM interfaces as this module calls or implements them, declared from the host's
// public SDK reference: interface ids, bases and every member in vtable order. Members are
// __stdcall and return an HRESULT, as the host's type libraries declare them.

#include <windows.h>
// After windows.h, which they need before them.
#include <oaidl.h>
#include <ocidl.h>

namespace cw::com {

// {36B06538-4437-11D1-B970-080009EE4E51}: the host's command interface (its SystemUI library).
// IUnknown-based, not dual: its twelve members follow QueryInterface, AddRef and Release.
inline constexpr IID kIidICommand = {
    0x36B06538, 0x4437, 0x11D1, {0xB9, 0x70, 0x08, 0x00, 0x09, 0xEE, 0x4E, 0x51}};

struct ICommand : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE get_Enabled(VARIANT_BOOL* enabled) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Checked(VARIANT_BOOL* checked) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Name(BSTR* name) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Caption(BSTR* caption) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Tooltip(BSTR* tooltip) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Message(BSTR* message) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_HelpFile(BSTR* helpFile) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_HelpContextID(LONG* helpId) = 0;
  // OLE_HANDLE: 32 bits on Win32, the HBITMAP itself.
  virtual HRESULT STDMETHODCALLTYPE get_Bitmap(OLE_HANDLE* bitmap) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Category(BSTR* category) = 0;
  virtual HRESULT STDMETHODCALLTYPE OnCreate(IDispatch* hook) = 0;
  virtual HRESULT STDMETHODCALLTYPE OnClick() = 0;
};

// {8E52B9A5-307B-11D2-94C9-080009EEBECB}: the host's application interface (its Framework
// library), the one the creation hook is asked for. Dual: IDispatch's four slots come first.
inline constexpr IID kIidIApplication = {
    0x8E52B9A5, 0x307B, 0x11D2, {0x94, 0xC9, 0x08, 0x00, 0x09, 0xEE, 0xBE, 0xCB}};

}  // namespace cw::com
