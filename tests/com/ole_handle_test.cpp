// Window and bitmap handles through the host's 32-bit OLE_HANDLE, in the 32-bit and the 64-bit
// build alike.

#include "hosts/com/ole_handle.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace cw::com {
namespace {

TEST(OleHandle, AHandleComesBackAsTheSystemWidensItAndRoundTrips) {
  struct Case {
    OLE_HANDLE carried;
    std::intptr_t handle;  // as a 64-bit process sees it; a 32-bit one keeps the low half
  };
  const Case cases[] = {
      {0, 0},
      {0x00010236u, 0x00010236},
      {0x7FFFFFFFu, 0x7FFFFFFF},
      // The 32nd bit set: sign-extended, as LongToHandle does, not zero-extended.
      {0x80010236u, static_cast<std::intptr_t>(static_cast<std::int32_t>(0x80010236u))},
      {0xFFFFFFFFu, -1},
  };
  for (const Case& c : cases) {
    const HWND window = fromOleHandle<HWND>(c.carried);
    EXPECT_EQ(reinterpret_cast<std::intptr_t>(window), c.handle) << std::hex << c.carried;
    EXPECT_EQ(window, static_cast<HWND>(LongToHandle(static_cast<LONG>(c.carried))));
    EXPECT_EQ(toOleHandle(window), c.carried) << std::hex << c.carried;
  }
}

}  // namespace
}  // namespace cw::com
