#include "hosts/comhost/served_call.h"

#include <oaidl.h>
#include <oleauto.h>

#include <string>

#include "hosts/com/bstr_text.h"
#include "platform/win32/wide_text.h"

namespace cw::comhost {

namespace {

void leaveDescription(const std::string& description) {
  ICreateErrorInfo* create = nullptr;
  if (FAILED(::CreateErrorInfo(&create))) return;
  std::wstring wide = platform::win32::toWide(description);
  create->SetDescription(wide.data());
  IErrorInfo* info = nullptr;
  if (SUCCEEDED(create->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&info)))) {
    ::SetErrorInfo(0, info);
    info->Release();
  }
  create->Release();
}

}  // namespace

HRESULT reportFailure(const Failure& failure) {
  leaveDescription(failure.description());
  const HRESULT code = static_cast<HRESULT>(failure.number());
  if (FAILED(code)) return code;
  return MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, failure.number() & 0xFFFF);
}

HRESULT textOut(std::string_view utf8, BSTR* out) {
  return com::toBstr(utf8, out);
}

}  // namespace cw::comhost
