#pragma once

#include <functional>

namespace cw::qt {

// Runs a call of the host on a user's action. The host may refuse (its failure code); the user's
// action then simply has no effect. Returns whether the call succeeded.
bool hostCall(const std::function<void()>& call);

}  // namespace cw::qt
