#include "command/corbelwick_bookmarks.h"
#include "command/session.h"
#include "host/host.h"

namespace cw {

// Both reads go through the host's call log, so a failing host shows up in the caller's trap
// like any other host call.
std::int32_t GetDataFrameCount(Session& session) {
  host::HostDocument& document = session.document();
  document.record("dataFrameCount");
  return document.dataFrameCount();
}

std::int32_t GetLayerCount(Session& session, std::int32_t index) {
  host::HostDocument& document = session.document();
  host::DataFrame& frame = document.dataFrame(index);
  document.record("layerCount " + host::quotedName(frame.name()));
  return frame.layerCount();
}

}  // namespace cw
