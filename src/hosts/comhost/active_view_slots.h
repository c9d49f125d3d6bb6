#pragma once

// The view members the stand-in host keeps only for their slots, shared by a data frame's view
// and the page layout's. A view overrides what it serves: the extent, the focus map and the
// refreshes always, the display and the graphics container where it has them. Nothing is added
// to the interface, so the vtable is the host's, as the stand-in's own IDL declares it
// (idl/host_library.idl), never as the module does.

#include "host_library.h"  // the host's interfaces as the stand-in declares them (idl/)
#include "hosts/comhost/host_object.h"

namespace cw::comhost {

class ActiveViewSlots : public ::IActiveView {
 public:
  CW_NOT_SERVED(get_FullExtent(::IEnvelope**))
  CW_NOT_SERVED(put_FullExtent(::IEnvelope*))
  CW_NOT_SERVED(get_ScreenDisplay(IUnknown**))
  CW_NOT_SERVED(get_GraphicsContainer(::IGraphicsContainer**))
  CW_NOT_SERVED(putref_FocusMap(::IMap*))
  CW_NOT_SERVED(get_IsMapActivated(VARIANT_BOOL*))
  CW_NOT_SERVED(put_IsMapActivated(VARIANT_BOOL))
  CW_NOT_SERVED(get_Selection(IUnknown**))
  CW_NOT_SERVED(putref_Selection(IUnknown*))
  CW_NOT_SERVED(get_TipText(double, double, BSTR*))
  CW_NOT_SERVED(get_ExportFrame(RECT*))
  CW_NOT_SERVED(get_ShowScrollBars(VARIANT_BOOL*))
  CW_NOT_SERVED(put_ShowScrollBars(VARIANT_BOOL))
  CW_NOT_SERVED(get_ShowRulers(VARIANT_BOOL*))
  CW_NOT_SERVED(put_ShowRulers(VARIANT_BOOL))
  CW_NOT_SERVED(get_ShowSelection(VARIANT_BOOL*))
  CW_NOT_SERVED(put_ShowSelection(VARIANT_BOOL))
  CW_NOT_SERVED(get_ExtentStack(IUnknown**))
  CW_NOT_SERVED(get_ScreenCacheID(LONG, IUnknown*, short*))
  CW_NOT_SERVED(HitTestMap(IUnknown*, ::IMap**))
  CW_NOT_SERVED(IsActive(VARIANT_BOOL*))
  CW_NOT_SERVED(Activate(OLE_HANDLE))
  CW_NOT_SERVED(Deactivate())
  CW_NOT_SERVED(Draw(OLE_HANDLE, IUnknown*))
  CW_NOT_SERVED(Output(OLE_HANDLE, LONG, RECT*, ::IEnvelope*, IUnknown*))
};

// The base is only a place for the slots above: the view is still exactly the interface.
static_assert(sizeof(ActiveViewSlots) == sizeof(::IActiveView));

}  // namespace cw::comhost
