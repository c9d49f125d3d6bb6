#include "frontends/qt/host_calls.h"

#include "base/failure.h"

namespace cw::qt {

bool hostCall(const std::function<void()>& call) {
  try {
    call();
    return true;
  } catch (const Failure&) {
    return false;
  }
}

}  // namespace cw::qt
