#pragma once

#include <memory>
#include <vector>

#include "hosts/com/com_ref.h"

namespace cw::com {

// The system's object for the host object `object`: the one made for it before, or a new one
// kept in `wrappers`. The host hands out the same object again for the same thing, so what the
// system holds of an earlier answer stays valid.
template <typename Wrapper, typename Interface>
Wrapper& wrapperFor(std::vector<std::unique_ptr<Wrapper>>& wrappers, Interface* object) {
  for (const std::unique_ptr<Wrapper>& wrapper : wrappers) {
    if (sameObject(wrapper->object(), object)) return *wrapper;
  }
  wrappers.push_back(std::make_unique<Wrapper>(object));
  return *wrappers.back();
}

}  // namespace cw::com
