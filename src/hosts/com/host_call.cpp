#include "hosts/com/host_call.h"

#include <oleauto.h>

#include <string>

#include "hosts/com/bstr_text.h"

namespace cw::com {

namespace {

// The description the failing host object left for this thread, or the runtime's own text.
std::string descriptionOfLastFailure() {
  IErrorInfo* info = nullptr;
  std::string description = "Automation error";
  if (::GetErrorInfo(0, &info) == S_OK && info) {
    ReceivedBstr text;
    if (SUCCEEDED(info->GetDescription(text.out()))) {
      std::string given = text.utf8();
      if (!given.empty()) description = given;
    }
    info->Release();
  }
  return description;
}

}  // namespace

void hostCall(HRESULT result) {
  if (FAILED(result)) throw Failure(static_cast<int>(result), descriptionOfLastFailure());
}

}  // namespace cw::com
