#pragma once

// The runtime error number a statement fails with, or 0 when it does not fail:
//
//   EXPECT_EQ(cw::testing::failureNumber([&] { fs.openRead("C:\\missing"); }),
//   cw::err::kFileNotFound);

#include <functional>
#include <string>

#include "base/failure.h"

namespace cw::testing {

inline int failureNumber(const std::function<void()>& statement,
                         std::string* description = nullptr) {
  try {
    statement();
  } catch (const Failure& failure) {
    if (description) *description = failure.description();
    return failure.number();
  }
  return 0;
}

}  // namespace cw::testing
