#pragma once

#include <string>

#include "convert/bookmark.h"

namespace cw::convert::testing {

// What the InputError that `convert` throws says; "(no error)" when it throws none.
template <typename Convert>
std::string inputErrorOf(Convert&& convert) {
  try {
    convert();
  } catch (const InputError& error) {
    return error.what();
  }
  return "(no error)";
}

}  // namespace cw::convert::testing
