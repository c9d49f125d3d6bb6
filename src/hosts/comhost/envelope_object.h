#pragma once

// The stand-in host's envelopes: rectangles made by its envelope class or handed out for an
// extent, each owned by its references (the caller's alone).

#include "host/envelope.h"
#include "host_library.h"  // the host's interfaces as the stand-in declares them (idl/)
#include "hosts/comhost/host_object.h"

namespace cw::comhost {

class EnvelopeObject final : public IEnvelope {
 public:
  // A new envelope with the caller's one reference.
  static IEnvelope* make(const host::Envelope& corners = {});
  // Live envelopes of the process: every one handed out is given back.
  static LONG live();

  // The corners of any host envelope, read through its interface.
  static HRESULT cornersOf(IEnvelope* envelope, host::Envelope& corners);

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  HRESULT STDMETHODCALLTYPE get_XMin(double* v) override;
  HRESULT STDMETHODCALLTYPE put_XMin(double v) override;
  HRESULT STDMETHODCALLTYPE get_YMin(double* v) override;
  HRESULT STDMETHODCALLTYPE put_YMin(double v) override;
  HRESULT STDMETHODCALLTYPE get_XMax(double* v) override;
  HRESULT STDMETHODCALLTYPE put_XMax(double v) override;
  HRESULT STDMETHODCALLTYPE get_YMax(double* v) override;
  HRESULT STDMETHODCALLTYPE put_YMax(double v) override;
  HRESULT STDMETHODCALLTYPE get_Width(double* v) override;
  HRESULT STDMETHODCALLTYPE get_Height(double* v) override;
  HRESULT STDMETHODCALLTYPE get_IsEmpty(VARIANT_BOOL* empty) override;
  HRESULT STDMETHODCALLTYPE SetEmpty() override;
  // Its own bounding rectangle is itself.
  HRESULT STDMETHODCALLTYPE get_Envelope(IEnvelope** envelope) override;
  HRESULT STDMETHODCALLTYPE QueryEnvelope(IEnvelope* envelope) override;

  CW_NOT_SERVED(get_GeometryType(LONG*))
  CW_NOT_SERVED(get_Dimension(LONG*))
  CW_NOT_SERVED(get_SpatialReference(IUnknown**))
  CW_NOT_SERVED(putref_SpatialReference(IUnknown*))
  CW_NOT_SERVED(Project(IUnknown*))
  CW_NOT_SERVED(SnapToSpatialReference())
  CW_NOT_SERVED(GeoNormalize())
  CW_NOT_SERVED(GeoNormalizeFromLongitude(double))
  CW_NOT_SERVED(put_Width(double))
  CW_NOT_SERVED(put_Depth(double))
  CW_NOT_SERVED(get_Depth(double*))
  CW_NOT_SERVED(put_Height(double))
  CW_NOT_SERVED(get_LowerLeft(IUnknown**))
  CW_NOT_SERVED(put_LowerLeft(IUnknown*))
  CW_NOT_SERVED(get_UpperLeft(IUnknown**))
  CW_NOT_SERVED(put_UpperLeft(IUnknown*))
  CW_NOT_SERVED(get_UpperRight(IUnknown**))
  CW_NOT_SERVED(put_UpperRight(IUnknown*))
  CW_NOT_SERVED(get_LowerRight(IUnknown**))
  CW_NOT_SERVED(put_LowerRight(IUnknown*))

 private:
  explicit EnvelopeObject(const host::Envelope& corners);
  virtual ~EnvelopeObject();
  host::Envelope corners_;
  LONG references_ = 1;
};

// The envelope class, served from the host's process by its class id.
class EnvelopeClass : public IClassFactory {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }  // lives as long as the host
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override;
  HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }
};

}  // namespace cw::comhost
