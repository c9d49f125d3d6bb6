#include "hosts/com/com_envelope.h"

#include "hosts/com/host_call.h"

namespace cw::com {

host::Envelope readEnvelope(IEnvelope* envelope) {
  host::Envelope corners;
  hostCall(envelope->get_XMin(&corners.XMin));
  hostCall(envelope->get_YMin(&corners.YMin));
  hostCall(envelope->get_XMax(&corners.XMax));
  hostCall(envelope->get_YMax(&corners.YMax));
  return corners;
}

ComRef<IEnvelope> newEnvelope(const host::Envelope& extent) {
  ComRef<IEnvelope> envelope;
  hostObject(::CoCreateInstance(kClsidEnvelope, nullptr, CLSCTX_INPROC_SERVER, kIidIEnvelope,
                                envelope.outVoid()),
             envelope);
  hostCall(envelope->put_XMin(extent.XMin));
  hostCall(envelope->put_YMin(extent.YMin));
  hostCall(envelope->put_XMax(extent.XMax));
  hostCall(envelope->put_YMax(extent.YMax));
  return envelope;
}

}  // namespace cw::com
