#pragma once

#include <windows.h>
// After windows.h, which it needs before it.
#include <oleauto.h>

#include <string>
#include <string_view>

namespace cw::com {

// Hands `utf8` out as a new BSTR in `*out`: E_POINTER without a place to put it, E_OUTOFMEMORY
// when it cannot be made.
HRESULT toBstr(std::string_view utf8, BSTR* out);

// A BSTR's text as UTF-8 ("" for a null BSTR, which stands for the empty string).
std::string fromBstr(BSTR text);

// A BSTR a call hands out, freed when it goes.
class ReceivedBstr {
 public:
  ReceivedBstr() = default;
  ReceivedBstr(const ReceivedBstr&) = delete;
  ReceivedBstr& operator=(const ReceivedBstr&) = delete;
  ~ReceivedBstr() { ::SysFreeString(text_); }
  BSTR* out() { return &text_; }
  std::string utf8() const { return fromBstr(text_); }

 private:
  BSTR text_ = nullptr;
};

}  // namespace cw::com
