#include "hosts/comhost/envelope_object.h"

namespace cw::comhost {

namespace {

LONG liveEnvelopes = 0;

}  // namespace

IEnvelope* EnvelopeObject::make(const host::Envelope& corners) {
  return new EnvelopeObject(corners);
}

LONG EnvelopeObject::live() {
  return liveEnvelopes;
}

EnvelopeObject::EnvelopeObject(const host::Envelope& corners) : corners_(corners) {
  ::InterlockedIncrement(&liveEnvelopes);
}

EnvelopeObject::~EnvelopeObject() {
  ::InterlockedDecrement(&liveEnvelopes);
}

HRESULT EnvelopeObject::cornersOf(IEnvelope* envelope, host::Envelope& corners) {
  if (!envelope) return E_POINTER;
  HRESULT result = envelope->get_XMin(&corners.XMin);
  if (SUCCEEDED(result)) result = envelope->get_YMin(&corners.YMin);
  if (SUCCEEDED(result)) result = envelope->get_XMax(&corners.XMax);
  if (SUCCEEDED(result)) result = envelope->get_YMax(&corners.YMax);
  return result;
}

HRESULT EnvelopeObject::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, __uuidof(::IEnvelope))) {
    return handOut(static_cast<IEnvelope*>(this), object);
  }
  return E_NOINTERFACE;
}

ULONG EnvelopeObject::AddRef() {
  return static_cast<ULONG>(::InterlockedIncrement(&references_));
}

ULONG EnvelopeObject::Release() {
  const LONG left = ::InterlockedDecrement(&references_);
  if (left == 0) delete this;
  return static_cast<ULONG>(left);
}

#define CW_CORNER(Name, field)                        \
  HRESULT EnvelopeObject::get_##Name(double* value) { \
    if (!value) return E_POINTER;                     \
    *value = corners_.field;                          \
    return S_OK;                                      \
  }                                                   \
  HRESULT EnvelopeObject::put_##Name(double value) {  \
    corners_.field = value;                           \
    return S_OK;                                      \
  }
CW_CORNER(XMin, XMin)
CW_CORNER(YMin, YMin)
CW_CORNER(XMax, XMax)
CW_CORNER(YMax, YMax)
#undef CW_CORNER

HRESULT EnvelopeObject::get_Width(double* value) {
  if (!value) return E_POINTER;
  *value = corners_.XMax - corners_.XMin;
  return S_OK;
}

HRESULT EnvelopeObject::get_Height(double* value) {
  if (!value) return E_POINTER;
  *value = corners_.YMax - corners_.YMin;
  return S_OK;
}

HRESULT EnvelopeObject::get_IsEmpty(VARIANT_BOOL* empty) {
  if (!empty) return E_POINTER;
  const bool none = corners_.XMax < corners_.XMin || corners_.YMax < corners_.YMin;
  *empty = none ? VARIANT_TRUE : VARIANT_FALSE;
  return S_OK;
}

HRESULT EnvelopeObject::SetEmpty() {
  corners_ = {0, 0, -1, -1};
  return S_OK;
}

HRESULT EnvelopeObject::get_Envelope(IEnvelope** envelope) {
  if (!envelope) return E_POINTER;
  return handOut(static_cast<IEnvelope*>(this), reinterpret_cast<void**>(envelope));
}

HRESULT EnvelopeObject::QueryEnvelope(IEnvelope* envelope) {
  if (!envelope) return E_POINTER;
  HRESULT result = envelope->put_XMin(corners_.XMin);
  if (SUCCEEDED(result)) result = envelope->put_YMin(corners_.YMin);
  if (SUCCEEDED(result)) result = envelope->put_XMax(corners_.XMax);
  if (SUCCEEDED(result)) result = envelope->put_YMax(corners_.YMax);
  return result;
}

HRESULT EnvelopeClass::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IClassFactory)) {
    return handOut(static_cast<IClassFactory*>(this), object);
  }
  return E_NOINTERFACE;
}

HRESULT EnvelopeClass::CreateInstance(IUnknown* outer, REFIID iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (outer) return CLASS_E_NOAGGREGATION;
  IEnvelope* made = EnvelopeObject::make();
  const HRESULT result = made->QueryInterface(iid, object);
  made->Release();
  return result;
}

}  // namespace cw::comhost
