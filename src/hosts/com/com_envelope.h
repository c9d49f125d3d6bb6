#pragma once

#include "host/envelope.h"
#include "hosts/com/com_ref.h"
#include "hosts/com/host_interfaces.h"

namespace cw::com {

// The corners of a host envelope.
host::Envelope readEnvelope(IEnvelope* envelope);

// A new envelope of the host's envelope class with the corners of `extent`.
ComRef<IEnvelope> newEnvelope(const host::Envelope& extent);

}  // namespace cw::com
