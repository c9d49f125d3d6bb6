#include "command/app_state.h"
#include "command/corbelwick_bookmarks.h"
#include "errors/failure.h"
#include "host/host.h"

namespace cw {

namespace {

host::HostDocument& documentOf(AppState& app) {
  if (!app.HostDocument) {
    throw Failure(err::kObjectVariableNotSet, "Object variable or With block variable not set");
  }
  return *app.HostDocument;
}

}  // namespace

// Both reads go through the host's call log, so a failing host shows up in the caller's trap
// like any other host call.
std::int32_t GetDataFrameCount(AppState& app) {
  host::HostDocument& document = documentOf(app);
  return document.queryDataFrameCount();
}

std::int32_t GetLayerCount(AppState& app, std::int32_t index) {
  host::HostDocument& document = documentOf(app);
  host::DataFrame& frame = document.dataFrame(index);
  return frame.queryLayerCount();
}

}  // namespace cw
