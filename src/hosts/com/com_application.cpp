#include "hosts/com/com_application.h"

#include "errors/failure.h"

namespace cw::com {

host::HostDocument& ComApplication::document() {
  throw Failure(err::kObjectVariableNotSet, "Object variable or With block variable not set");
}

host::HostFrame& ComApplication::createFrame() {
  throw Failure(err::kInternalError, "The host's frames are not available yet");
}

}  // namespace cw::com
