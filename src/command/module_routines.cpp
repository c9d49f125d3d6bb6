#include "command/corbelwick_bookmarks.h"
#include "host/host.h"
#include "session/session.h"

namespace cw {

// Both reads are host calls of their own, so a failing host shows up in the caller's trap
// like any other host call.
std::int32_t GetDataFrameCount(Session& session) {
  return session.document().queryDataFrameCount();
}

std::int32_t GetLayerCount(Session& session, std::int32_t index) {
  host::HostDocument& document = session.document();
  host::DataFrame& frame = document.dataFrame(index);
  return frame.queryLayerCount();
}

}  // namespace cw
