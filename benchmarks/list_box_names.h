#pragma once

#include <string>
#include <vector>

namespace cw::bench {

// `count` distinct names in no particular order, of the mixed case and length of group and
// bookmark names; the same on every run.
const std::vector<std::string>& listBoxNames(int count);

}  // namespace cw::bench
