#pragma once

// Objects of the host's interfaces as the stand-in declares them (host_library.h, made from
// IDL of its own), each member of which records its own name when it is called and does
// nothing else. Handed to the module's declarations, they show which member each call reaches.

#include <windows.h>

#include <string>

#include "host_library.h"

namespace cw::slotprobe {

// What every probe shares: the name of the last member called, and IUnknown answering the
// interfaces the probe was made for.
class Recorder {
 public:
  const std::string& arrived() const { return arrived_; }
  void forget() { arrived_.clear(); }

 protected:
  HRESULT record(const char* member) {
    arrived_ = member;
    return E_NOTIMPL;
  }

 private:
  std::string arrived_;
};

#define CW_PROBE(member, parameters)                     \
  HRESULT STDMETHODCALLTYPE member parameters override { \
    return record(#member);                              \
  }

// IUnknown of a probe: answers IUnknown and the interfaces named, never counts.
#define CW_PROBE_UNKNOWN(Interface, ...)                                         \
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override { \
    *object = nullptr;                                                           \
    for (const IID& answered : {IID_IUnknown, __VA_ARGS__}) {                    \
      if (IsEqualIID(iid, answered)) {                                           \
        *object = static_cast<Interface*>(this);                                 \
        return S_OK;                                                             \
      }                                                                          \
    }                                                                            \
    return E_NOINTERFACE;                                                        \
  }                                                                              \
  ULONG STDMETHODCALLTYPE AddRef() override {                                    \
    return 2;                                                                    \
  }                                                                              \
  ULONG STDMETHODCALLTYPE Release() override {                                   \
    return 1;                                                                    \
  }

class ApplicationProbe : public Recorder, public IApplication {
 public:
  CW_PROBE_UNKNOWN(IApplication, __uuidof(IApplication), IID_IDispatch)
  CW_PROBE(GetTypeInfoCount, (UINT*))
  CW_PROBE(GetTypeInfo, (UINT, LCID, ITypeInfo**))
  CW_PROBE(GetIDsOfNames, (REFIID, LPOLESTR*, UINT, LCID, DISPID*))
  CW_PROBE(Invoke, (DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*))
  CW_PROBE(get_Name, (BSTR*))
  CW_PROBE(get_Document, (IDocument**))
  CW_PROBE(get_StatusBar, (IUnknown**))
  CW_PROBE(ShowDialog, (LONG, VARIANT*, VARIANT*))
  CW_PROBE(IsDialogVisible, (LONG, VARIANT_BOOL*))
  CW_PROBE(get_CurrentTool, (IUnknown**))
  CW_PROBE(putref_CurrentTool, (IUnknown*))
  CW_PROBE(get_VBE, (IDispatch**))
  CW_PROBE(NewDocument, (VARIANT_BOOL, BSTR))
  CW_PROBE(OpenDocument, (BSTR))
  CW_PROBE(SaveDocument, (BSTR))
  CW_PROBE(SaveAsDocument, (BSTR, VARIANT_BOOL))
  CW_PROBE(PrintPreview, ())
  CW_PROBE(PrintDocument, ())
  CW_PROBE(LockCustomization, (BSTR, IUnknown*))
  CW_PROBE(UnlockCustomization, (BSTR))
  CW_PROBE(RefreshWindow, ())
  CW_PROBE(get_Templates, (IUnknown**))
  CW_PROBE(get_hWnd, (OLE_HANDLE*))
  CW_PROBE(FindExtensionByName, (BSTR, IUnknown**))
  CW_PROBE(FindExtensionByCLSID, (IUnknown*, IUnknown**))
  CW_PROBE(Shutdown, ())
  CW_PROBE(get_Visible, (VARIANT_BOOL*))
  CW_PROBE(put_Visible, (VARIANT_BOOL))
  CW_PROBE(put_Caption, (BSTR))
  CW_PROBE(get_Caption, (BSTR*))
};

class MapDocumentProbe : public Recorder, public IMxDocument {
 public:
  CW_PROBE_UNKNOWN(IMxDocument, __uuidof(IMxDocument))
  CW_PROBE(putref_PageLayout, (IPageLayout*))
  CW_PROBE(get_PageLayout, (IPageLayout**))
  CW_PROBE(get_ActiveView, (IActiveView**))
  CW_PROBE(putref_ActiveView, (IActiveView*))
  CW_PROBE(get_ActivatedView, (IActiveView**))
  CW_PROBE(get_ActiveViewCommand, (ICommand**))
  CW_PROBE(get_FocusMap, (IMap**))
  CW_PROBE(get_SelectedLayer, (ILayer**))
  CW_PROBE(get_SelectedItem, (IUnknown**))
  CW_PROBE(get_ContextItem, (IUnknown**))
  CW_PROBE(put_ContextItem, (IUnknown*))
  CW_PROBE(get_StyleGallery, (IUnknown**))
  CW_PROBE(AddLayer, (ILayer*))
  CW_PROBE(UpdateContents, ())
  CW_PROBE(get_SearchTolerance, (double*))
  CW_PROBE(get_SearchTolerancePixels, (LONG*))
  CW_PROBE(put_SearchTolerancePixels, (LONG))
  CW_PROBE(InsertObject, ())
  CW_PROBE(CanInsertObject, (VARIANT_BOOL*))
  CW_PROBE(get_Maps, (IMaps**))
  CW_PROBE(get_OperationStack, (IUnknown**))
  CW_PROBE(get_DefaultTextFont, (IDispatch**))
  CW_PROBE(put_DefaultTextFontSize, (IUnknown*))
  CW_PROBE(get_DefaultTextFontSize, (IUnknown**))
  CW_PROBE(put_DefaultTextFont, (IDispatch*))
  CW_PROBE(get_DefaultColor, (LONG, IUnknown**))
  CW_PROBE(put_DefaultColor, (LONG, IUnknown*))
  CW_PROBE(get_CurrentLocation, (IUnknown**))
  CW_PROBE(put_CurrentLocation, (IUnknown*))
  CW_PROBE(put_DelayUpdateContents, (VARIANT_BOOL))
  CW_PROBE(get_RelativePaths, (VARIANT_BOOL*))
  CW_PROBE(put_RelativePaths, (VARIANT_BOOL))
  CW_PROBE(get_CurrentContentsView, (IUnknown**))
  CW_PROBE(putref_CurrentContentsView, (IUnknown*))
  CW_PROBE(get_ContentsViewCount, (LONG*))
  CW_PROBE(get_ContentsView, (LONG, IUnknown**))
  CW_PROBE(get_TableProperties, (IUnknown**))
};

class MapsProbe : public Recorder, public IMaps {
 public:
  CW_PROBE_UNKNOWN(IMaps, __uuidof(IMaps))
  CW_PROBE(get_Count, (LONG*))
  CW_PROBE(get_Item, (LONG, IMap**))
  CW_PROBE(Create, (IMap**))
  CW_PROBE(Remove, (IMap*))
  CW_PROBE(Add, (IMap*))
  CW_PROBE(RemoveAt, (LONG))
  CW_PROBE(Reset, ())
};

class MapProbe : public Recorder, public IMap {
 public:
  CW_PROBE_UNKNOWN(IMap, __uuidof(IMap))
  CW_PROBE(get_Name, (BSTR*))
  CW_PROBE(put_Name, (BSTR))
  CW_PROBE(get_Description, (BSTR*))
  CW_PROBE(put_Description, (BSTR))
  CW_PROBE(put_AreaOfInterest, (IEnvelope*))
  CW_PROBE(get_LayerCount, (LONG*))
  CW_PROBE(get_Layer, (LONG, ILayer**))
};

class MapBookmarksProbe : public Recorder, public IMapBookmarks {
 public:
  CW_PROBE_UNKNOWN(IMapBookmarks, __uuidof(IMapBookmarks))
  CW_PROBE(get_Bookmarks, (IEnumSpatialBookmark**))
  CW_PROBE(AddBookmark, (ISpatialBookmark*))
  CW_PROBE(RemoveBookmark, (ISpatialBookmark*))
  CW_PROBE(RemoveAllBookmarks, ())
};

class BookmarkWalkProbe : public Recorder, public IEnumSpatialBookmark {
 public:
  CW_PROBE_UNKNOWN(IEnumSpatialBookmark, __uuidof(IEnumSpatialBookmark))
  CW_PROBE(Next, (ISpatialBookmark**))
  CW_PROBE(Reset, ())
};

class BookmarkProbe : public Recorder, public ISpatialBookmark {
 public:
  CW_PROBE_UNKNOWN(ISpatialBookmark, __uuidof(ISpatialBookmark))
  CW_PROBE(get_BookmarkType, (BSTR*))
  CW_PROBE(get_Name, (BSTR*))
  CW_PROBE(put_Name, (BSTR))
  CW_PROBE(ZoomTo, (IMap*))
};

class LayerProbe : public Recorder, public ILayer {
 public:
  CW_PROBE_UNKNOWN(ILayer, __uuidof(ILayer))
  CW_PROBE(get_Name, (BSTR*))
  CW_PROBE(put_Name, (BSTR))
  CW_PROBE(get_Valid, (VARIANT_BOOL*))
  CW_PROBE(get_AreaOfInterest, (IEnvelope**))
  CW_PROBE(get_MinimumScale, (double*))
  CW_PROBE(put_MinimumScale, (double))
  CW_PROBE(get_MaximumScale, (double*))
  CW_PROBE(put_MaximumScale, (double))
  CW_PROBE(get_Visible, (VARIANT_BOOL*))
  CW_PROBE(put_Visible, (VARIANT_BOOL))
  CW_PROBE(get_ShowTips, (VARIANT_BOOL*))
  CW_PROBE(put_ShowTips, (VARIANT_BOOL))
  CW_PROBE(get_TipText, (double, double, double, BSTR*))
  CW_PROBE(get_Cached, (VARIANT_BOOL*))
  CW_PROBE(put_Cached, (VARIANT_BOOL))
  CW_PROBE(get_SupportedDrawPhases, (LONG*))
  CW_PROBE(putref_SpatialReference, (IUnknown*))
  CW_PROBE(Draw, (LONG, IUnknown*, IUnknown*))
};

class CompositeLayerProbe : public Recorder, public ICompositeLayer {
 public:
  CW_PROBE_UNKNOWN(ICompositeLayer, __uuidof(ICompositeLayer))
  CW_PROBE(get_Count, (LONG*))
  CW_PROBE(get_Layer, (LONG, ILayer**))
};

class ActiveViewProbe : public Recorder, public IActiveView {
 public:
  CW_PROBE_UNKNOWN(IActiveView, __uuidof(IActiveView))
  CW_PROBE(get_FullExtent, (IEnvelope**))
  CW_PROBE(put_FullExtent, (IEnvelope*))
  CW_PROBE(get_Extent, (IEnvelope**))
  CW_PROBE(put_Extent, (IEnvelope*))
  CW_PROBE(get_ScreenDisplay, (IUnknown**))
  CW_PROBE(get_GraphicsContainer, (IGraphicsContainer**))
  CW_PROBE(get_FocusMap, (IMap**))
  CW_PROBE(putref_FocusMap, (IMap*))
  CW_PROBE(get_IsMapActivated, (VARIANT_BOOL*))
  CW_PROBE(put_IsMapActivated, (VARIANT_BOOL))
  CW_PROBE(get_Selection, (IUnknown**))
  CW_PROBE(putref_Selection, (IUnknown*))
  CW_PROBE(get_TipText, (double, double, BSTR*))
  CW_PROBE(get_ExportFrame, (RECT*))
  CW_PROBE(get_ShowScrollBars, (VARIANT_BOOL*))
  CW_PROBE(put_ShowScrollBars, (VARIANT_BOOL))
  CW_PROBE(get_ShowRulers, (VARIANT_BOOL*))
  CW_PROBE(put_ShowRulers, (VARIANT_BOOL))
  CW_PROBE(get_ShowSelection, (VARIANT_BOOL*))
  CW_PROBE(put_ShowSelection, (VARIANT_BOOL))
  CW_PROBE(get_ExtentStack, (IUnknown**))
  CW_PROBE(get_ScreenCacheID, (LONG, IUnknown*, short*))
  CW_PROBE(HitTestMap, (IUnknown*, IMap**))
  CW_PROBE(IsActive, (VARIANT_BOOL*))
  CW_PROBE(Activate, (OLE_HANDLE))
  CW_PROBE(Deactivate, ())
  CW_PROBE(Draw, (OLE_HANDLE, IUnknown*))
  CW_PROBE(Output, (OLE_HANDLE, LONG, RECT*, IEnvelope*, IUnknown*))
  CW_PROBE(Refresh, ())
  CW_PROBE(PartialRefresh, (LONG, IUnknown*, IEnvelope*))
};

class EnvelopeProbe : public Recorder, public IEnvelope {
 public:
  CW_PROBE_UNKNOWN(IEnvelope, __uuidof(IEnvelope), __uuidof(IGeometry))
  CW_PROBE(get_GeometryType, (LONG*))
  CW_PROBE(get_Dimension, (LONG*))
  CW_PROBE(get_SpatialReference, (IUnknown**))
  CW_PROBE(putref_SpatialReference, (IUnknown*))
  CW_PROBE(get_IsEmpty, (VARIANT_BOOL*))
  CW_PROBE(SetEmpty, ())
  CW_PROBE(QueryEnvelope, (IEnvelope*))
  CW_PROBE(get_Envelope, (IEnvelope**))
  CW_PROBE(Project, (IUnknown*))
  CW_PROBE(SnapToSpatialReference, ())
  CW_PROBE(GeoNormalize, ())
  CW_PROBE(GeoNormalizeFromLongitude, (double))
  CW_PROBE(get_Width, (double*))
  CW_PROBE(put_Width, (double))
  CW_PROBE(get_Height, (double*))
  CW_PROBE(put_Depth, (double))
  CW_PROBE(get_Depth, (double*))
  CW_PROBE(put_Height, (double))
  CW_PROBE(get_LowerLeft, (IUnknown**))
  CW_PROBE(put_LowerLeft, (IUnknown*))
  CW_PROBE(get_UpperLeft, (IUnknown**))
  CW_PROBE(put_UpperLeft, (IUnknown*))
  CW_PROBE(get_UpperRight, (IUnknown**))
  CW_PROBE(put_UpperRight, (IUnknown*))
  CW_PROBE(get_LowerRight, (IUnknown**))
  CW_PROBE(put_LowerRight, (IUnknown*))
  CW_PROBE(get_XMin, (double*))
  CW_PROBE(put_XMin, (double))
  CW_PROBE(get_YMin, (double*))
  CW_PROBE(put_YMin, (double))
  CW_PROBE(get_XMax, (double*))
  CW_PROBE(put_XMax, (double))
  CW_PROBE(get_YMax, (double*))
  CW_PROBE(put_YMax, (double))
};

class ElementProbe : public Recorder, public IElement {
 public:
  CW_PROBE_UNKNOWN(IElement, __uuidof(IElement))
  CW_PROBE(get_Geometry, (IGeometry**))
};

class GraphicsContainerProbe : public Recorder, public IGraphicsContainer {
 public:
  CW_PROBE_UNKNOWN(IGraphicsContainer, __uuidof(IGraphicsContainer))
  CW_PROBE(Next, (IElement**))
  CW_PROBE(Reset, ())
};

#define CW_PROBE_FRAME_ELEMENT             \
  CW_PROBE(get_Object, (VARIANT*))         \
  CW_PROBE(get_Border, (IUnknown**))       \
  CW_PROBE(put_Border, (IUnknown*))        \
  CW_PROBE(get_Background, (IUnknown**))   \
  CW_PROBE(put_Background, (IUnknown*))    \
  CW_PROBE(get_Thumbnail, (OLE_HANDLE*))   \
  CW_PROBE(get_DraftMode, (VARIANT_BOOL*)) \
  CW_PROBE(put_DraftMode, (VARIANT_BOOL))

class MapFrameProbe : public Recorder, public IMapFrame {
 public:
  CW_PROBE_UNKNOWN(IMapFrame, __uuidof(IMapFrame))
  CW_PROBE_FRAME_ELEMENT
  CW_PROBE(get_Map, (IMap**))
};

class SurroundFrameProbe : public Recorder, public IMapSurroundFrame {
 public:
  CW_PROBE_UNKNOWN(IMapSurroundFrame, __uuidof(IMapSurroundFrame))
  CW_PROBE_FRAME_ELEMENT
  CW_PROBE(get_MapSurround, (IMapSurround**))
  CW_PROBE(putref_MapSurround, (IMapSurround*))
  CW_PROBE(get_MapFrame, (IMapFrame**))
  CW_PROBE(putref_MapFrame, (IMapFrame*))
};

class SurroundProbe : public Recorder, public IMapSurround {
 public:
  CW_PROBE_UNKNOWN(IMapSurround, __uuidof(IMapSurround))
  CW_PROBE(get_Map, (IMap**))
  CW_PROBE(putref_Map, (IMap*))
  CW_PROBE(get_Name, (BSTR*))
  CW_PROBE(put_Name, (BSTR))
  CW_PROBE(get_Icon, (OLE_HANDLE*))
  CW_PROBE(QueryBounds, (IUnknown*, IEnvelope*, IEnvelope*))
  CW_PROBE(FitToBounds, (IUnknown*, IEnvelope*, VARIANT_BOOL*))
  CW_PROBE(DelayEvents, (VARIANT_BOOL))
  CW_PROBE(Refresh, ())
  CW_PROBE(Draw, (IUnknown*, IUnknown*, IEnvelope*))
};

#undef CW_PROBE_FRAME_ELEMENT
#undef CW_PROBE_UNKNOWN
#undef CW_PROBE

}  // namespace cw::slotprobe
