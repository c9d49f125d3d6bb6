#pragma once

// The host's own COM interfaces as this module calls or implements them: interface ids, bases and
// every member in slot order up to the last one the system calls. Members are __stdcall and
// return an HRESULT, as the host's type libraries declare them. Beside each group: what its
// layout rests on.

#include <windows.h>
// After windows.h, which they need before them.
#include <oaidl.h>
#include <ocidl.h>

namespace cw::com {

// {36B06538-4437-11D1-B970-080009EE4E51}: the host's command interface (its SystemUI library).
// IUnknown-based, not dual: its twelve members follow QueryInterface, AddRef and Release, in the
// order the wrapper comtypes generates from the version 10.2 SystemUI type library lists them
// (_4ECCA6E2_B16B_4ACA_BD17_E74CAE4C150A_0_10_2.py).
inline constexpr IID kIidICommand = {
    0x36B06538, 0x4437, 0x11D1, {0xB9, 0x70, 0x08, 0x00, 0x09, 0xEE, 0x4E, 0x51}};

struct ICommand : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE get_Enabled(VARIANT_BOOL* enabled) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Checked(VARIANT_BOOL* checked) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Name(BSTR* name) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Caption(BSTR* caption) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Tooltip(BSTR* tooltip) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Message(BSTR* message) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_HelpFile(BSTR* helpFile) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_HelpContextID(LONG* helpId) = 0;
  // OLE_HANDLE: 32 bits on Win32, the HBITMAP itself.
  virtual HRESULT STDMETHODCALLTYPE get_Bitmap(OLE_HANDLE* bitmap) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Category(BSTR* category) = 0;
  virtual HRESULT STDMETHODCALLTYPE OnCreate(IDispatch* hook) = 0;
  virtual HRESULT STDMETHODCALLTYPE OnClick() = 0;
};

// --- the host's Framework library ---------------------------------------------------------
// Layouts from the wrapper comtypes generates from the type library of the host's version 10.2
// (_866AE5D3_530C_11D2_A2BD_0000F8774FB5_0_10_2.py: each interface's base and its members in slot
// order, with the dispatch ids of a dual interface's own members starting at 0x60020000).

// {8E52B9A5-307B-11D2-94C9-080009EEBECB}: the running application, the creation hook's object.
// Dual: IDispatch's four slots come before its 26 members.
inline constexpr IID kIidIApplication = {
    0x8E52B9A5, 0x307B, 0x11D2, {0x94, 0xC9, 0x08, 0x00, 0x09, 0xEE, 0xBE, 0xCB}};

// {E1740EC5-9513-11D2-A2DF-0000F8774FB5}: the application reference, a class (not an
// interface) that, created inside the host's process, stands for the running application.
inline constexpr CLSID kClsidAppRef = {
    0xE1740EC5, 0x9513, 0x11D2, {0xA2, 0xDF, 0x00, 0x00, 0xF8, 0x77, 0x4F, 0xB5}};

// {3E927177-307A-11D2-94C9-080009EEBECB}: what IApplication::get_Document hands out; dual. The
// system only asks it for the map document's interface (below).
inline constexpr IID kIidIDocument = {
    0x3E927177, 0x307A, 0x11D2, {0x94, 0xC9, 0x08, 0x00, 0x09, 0xEE, 0xBE, 0xCB}};

// Interfaces the system passes on or receives without calling them are IUnknown here.
struct IApplication : public IDispatch {
  virtual HRESULT STDMETHODCALLTYPE get_Name(BSTR* name) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Document(IDispatch** document) = 0;  // IDocument
  virtual HRESULT STDMETHODCALLTYPE get_StatusBar(IUnknown** statusBar) = 0;
  virtual HRESULT STDMETHODCALLTYPE ShowDialog(LONG dialogId, VARIANT* show, VARIANT* result) = 0;
  virtual HRESULT STDMETHODCALLTYPE IsDialogVisible(LONG dialogId, VARIANT_BOOL* visible) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_CurrentTool(IUnknown** tool) = 0;
  virtual HRESULT STDMETHODCALLTYPE putref_CurrentTool(IUnknown* tool) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_VBE(IDispatch** vbe) = 0;
  virtual HRESULT STDMETHODCALLTYPE NewDocument(VARIANT_BOOL selectTemplate, BSTR templatePath) = 0;
  virtual HRESULT STDMETHODCALLTYPE OpenDocument(BSTR path) = 0;
  virtual HRESULT STDMETHODCALLTYPE SaveDocument(BSTR saveAsPath) = 0;
  virtual HRESULT STDMETHODCALLTYPE SaveAsDocument(BSTR saveAsPath, VARIANT_BOOL saveAsCopy) = 0;
  virtual HRESULT STDMETHODCALLTYPE PrintPreview() = 0;
  virtual HRESULT STDMETHODCALLTYPE PrintDocument() = 0;
  virtual HRESULT STDMETHODCALLTYPE LockCustomization(BSTR password, IUnknown* filter) = 0;
  virtual HRESULT STDMETHODCALLTYPE UnlockCustomization(BSTR password) = 0;
  virtual HRESULT STDMETHODCALLTYPE RefreshWindow() = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Templates(IUnknown** templates) = 0;
  // The host's main window, owner of the system's frame windows.
  virtual HRESULT STDMETHODCALLTYPE get_hWnd(OLE_HANDLE* window) = 0;
  virtual HRESULT STDMETHODCALLTYPE FindExtensionByName(BSTR name, IUnknown** extension) = 0;
  virtual HRESULT STDMETHODCALLTYPE FindExtensionByCLSID(IUnknown* clsid, IUnknown** extension) = 0;
  virtual HRESULT STDMETHODCALLTYPE Shutdown() = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Visible(VARIANT_BOOL* visible) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_Visible(VARIANT_BOOL visible) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_Caption(BSTR caption) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Caption(BSTR* caption) = 0;
};

struct IEnvelope;

// --- the host's Geometry library ---------------------------------------------------------
// From the wrapper comtypes generates from the same version's Geometry library
// (_C4B094C2_FF32_4FA1_ABCB_7820F8D6FB68_0_10_2.py), which lists IGeometry's members after
// IEnvelope's own and marks them as inherited: in the slots they come first.

// {1B07790D-38C5-11D0-92D2-00805F7C28B0}: any shape; 12 members.
struct IGeometry : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE get_GeometryType(LONG* type) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Dimension(LONG* dimension) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_SpatialReference(IUnknown** reference) = 0;
  virtual HRESULT STDMETHODCALLTYPE putref_SpatialReference(IUnknown* reference) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_IsEmpty(VARIANT_BOOL* empty) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetEmpty() = 0;
  virtual HRESULT STDMETHODCALLTYPE QueryEnvelope(IEnvelope* envelope) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Envelope(IEnvelope** envelope) = 0;
  virtual HRESULT STDMETHODCALLTYPE Project(IUnknown* reference) = 0;
  virtual HRESULT STDMETHODCALLTYPE SnapToSpatialReference() = 0;
  virtual HRESULT STDMETHODCALLTYPE GeoNormalize() = 0;
  virtual HRESULT STDMETHODCALLTYPE GeoNormalizeFromLongitude(double longitude) = 0;
};

// {1B077914-38C5-11D0-92D2-00805F7C28B0}: a rectangle, declared up to the corners the system
// reads and writes (of its 47 own members). The first six are listed in this odd order.
inline constexpr IID kIidIEnvelope = {
    0x1B077914, 0x38C5, 0x11D0, {0x92, 0xD2, 0x00, 0x80, 0x5F, 0x7C, 0x28, 0xB0}};
// {30707212-52D5-11D0-A8F2-00608C85EDE5}: the envelope class, whose new objects the system
// hands to a view.
inline constexpr CLSID kClsidEnvelope = {
    0x30707212, 0x52D5, 0x11D0, {0xA8, 0xF2, 0x00, 0x60, 0x8C, 0x85, 0xED, 0xE5}};

struct IEnvelope : public IGeometry {
  virtual HRESULT STDMETHODCALLTYPE get_Width(double* width) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_Width(double width) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Height(double* height) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_Depth(double depth) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Depth(double* depth) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_Height(double height) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_LowerLeft(IUnknown** point) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_LowerLeft(IUnknown* point) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_UpperLeft(IUnknown** point) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_UpperLeft(IUnknown* point) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_UpperRight(IUnknown** point) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_UpperRight(IUnknown* point) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_LowerRight(IUnknown** point) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_LowerRight(IUnknown* point) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_XMin(double* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_XMin(double value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_YMin(double* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_YMin(double value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_XMax(double* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_XMax(double value) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_YMax(double* value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_YMax(double value) = 0;
  // ... further members, which the system does not call.
};

// --- the host's Carto library ------------------------------------------------------------
// Member order from the wrapper comtypes generates from the type library of version 10.2
// (_45AC68FF_DEFF_4884_B3A9_7D882EDCAEF1_0_10_2.py: an interface's own members in slot order,
// inherited ones marked); bases are IUnknown, as those
// wrappers and the SDK show no other. The system calls only the first members of IMap, which is
// declared up to the last of them.

struct IMap;
struct ILayer;

// {DD94D76B-836D-11D0-87EC-080009EC732A}: a view (a data frame's or the page layout), declared
// up to PartialRefresh, the last member the system calls. The wrapper lists 35 members where
// another listing counts 36; the difference lies after these.
inline constexpr IID kIidIActiveView = {
    0xDD94D76B, 0x836D, 0x11D0, {0x87, 0xEC, 0x08, 0x00, 0x09, 0xEC, 0x73, 0x2A}};

struct IActiveView : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE get_FullExtent(IEnvelope** extent) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_FullExtent(IEnvelope* extent) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Extent(IEnvelope** extent) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_Extent(IEnvelope* extent) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_ScreenDisplay(IUnknown** display) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_GraphicsContainer(IUnknown** container) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_FocusMap(IMap** map) = 0;
  virtual HRESULT STDMETHODCALLTYPE putref_FocusMap(IMap* map) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_IsMapActivated(VARIANT_BOOL* activated) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_IsMapActivated(VARIANT_BOOL activated) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Selection(IUnknown** selection) = 0;
  virtual HRESULT STDMETHODCALLTYPE putref_Selection(IUnknown* selection) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_TipText(double x, double y, BSTR* text) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_ExportFrame(RECT* frame) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_ShowScrollBars(VARIANT_BOOL* show) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_ShowScrollBars(VARIANT_BOOL show) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_ShowRulers(VARIANT_BOOL* show) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_ShowRulers(VARIANT_BOOL show) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_ShowSelection(VARIANT_BOOL* show) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_ShowSelection(VARIANT_BOOL show) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_ExtentStack(IUnknown** stack) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_ScreenCacheID(LONG phase, IUnknown* data,
                                                      short* cacheId) = 0;
  virtual HRESULT STDMETHODCALLTYPE HitTestMap(IUnknown* location, IMap** map) = 0;
  virtual HRESULT STDMETHODCALLTYPE IsActive(VARIANT_BOOL* active) = 0;
  virtual HRESULT STDMETHODCALLTYPE Activate(OLE_HANDLE window) = 0;
  virtual HRESULT STDMETHODCALLTYPE Deactivate() = 0;
  virtual HRESULT STDMETHODCALLTYPE Draw(OLE_HANDLE dc, IUnknown* cancel) = 0;
  virtual HRESULT STDMETHODCALLTYPE Output(OLE_HANDLE dc, LONG dpi, RECT* pixelBounds,
                                           IEnvelope* visibleBounds, IUnknown* cancel) = 0;
  virtual HRESULT STDMETHODCALLTYPE Refresh() = 0;
  // Redraws one drawing phase (2 the map contents, 8 the graphics), of `data` or of everything.
  virtual HRESULT STDMETHODCALLTYPE PartialRefresh(LONG phase, IUnknown* data,
                                                   IEnvelope* envelope) = 0;
  // ... further members, which the system does not call.
};

// {E6BDAA75-4D35-11D0-98BE-00805F7CED21}: a data frame.
inline constexpr IID kIidIMap = {
    0xE6BDAA75, 0x4D35, 0x11D0, {0x98, 0xBE, 0x00, 0x80, 0x5F, 0x7C, 0xED, 0x21}};

struct IMap : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE get_Name(BSTR* name) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_Name(BSTR name) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Description(BSTR* description) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_Description(BSTR description) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_AreaOfInterest(IUnknown* envelope) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_LayerCount(LONG* count) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Layer(LONG index, ILayer** layer) = 0;
  // ... further members, which the system does not call.
};

// {34C20002-4D3C-11D0-92D8-00805F7C28B0}: a layer of a data frame; 18 members.
inline constexpr IID kIidILayer = {
    0x34C20002, 0x4D3C, 0x11D0, {0x92, 0xD8, 0x00, 0x80, 0x5F, 0x7C, 0x28, 0xB0}};

struct ILayer : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE get_Name(BSTR* name) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_Name(BSTR name) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Valid(VARIANT_BOOL* valid) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_AreaOfInterest(IUnknown** envelope) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_MinimumScale(double* scale) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_MinimumScale(double scale) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_MaximumScale(double* scale) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_MaximumScale(double scale) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Visible(VARIANT_BOOL* visible) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_Visible(VARIANT_BOOL visible) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_ShowTips(VARIANT_BOOL* show) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_ShowTips(VARIANT_BOOL show) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_TipText(double x, double y, double tolerance,
                                                BSTR* text) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Cached(VARIANT_BOOL* cached) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_Cached(VARIANT_BOOL cached) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_SupportedDrawPhases(LONG* phases) = 0;
  virtual HRESULT STDMETHODCALLTYPE putref_SpatialReference(IUnknown* reference) = 0;
  virtual HRESULT STDMETHODCALLTYPE Draw(LONG phase, IUnknown* display, IUnknown* cancel) = 0;
};

// {BA119BC4-939A-11D2-A2F4-080009B6F22B}: a layer made of layers (a group layer's members).
inline constexpr IID kIidICompositeLayer = {
    0xBA119BC4, 0x939A, 0x11D2, {0xA2, 0xF4, 0x08, 0x00, 0x09, 0xB6, 0xF2, 0x2B}};

struct ICompositeLayer : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE get_Count(LONG* count) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Layer(LONG index, ILayer** layer) = 0;
};

// {EE53528B-41C9-11D1-880A-080009EC732A}: a bookmark the host keeps with a data frame.
inline constexpr IID kIidISpatialBookmark = {
    0xEE53528B, 0x41C9, 0x11D1, {0x88, 0x0A, 0x08, 0x00, 0x09, 0xEC, 0x73, 0x2A}};

struct ISpatialBookmark : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE get_BookmarkType(BSTR* type) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Name(BSTR* name) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_Name(BSTR name) = 0;
  // Sets the data frame's extent to the bookmark's.
  virtual HRESULT STDMETHODCALLTYPE ZoomTo(IMap* map) = 0;
};

// {EE535290-41C9-11D1-880A-080009EC732A}: a walk over a data frame's bookmarks; Next hands out
// nothing after the last.
inline constexpr IID kIidIEnumSpatialBookmark = {
    0xEE535290, 0x41C9, 0x11D1, {0x88, 0x0A, 0x08, 0x00, 0x09, 0xEC, 0x73, 0x2A}};

struct IEnumSpatialBookmark : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE Next(ISpatialBookmark** bookmark) = 0;
  virtual HRESULT STDMETHODCALLTYPE Reset() = 0;
};

// {EE53528F-41C9-11D1-880A-080009EC732A}: a data frame's bookmarks, asked of its IMap.
inline constexpr IID kIidIMapBookmarks = {
    0xEE53528F, 0x41C9, 0x11D1, {0x88, 0x0A, 0x08, 0x00, 0x09, 0xEC, 0x73, 0x2A}};

struct IMapBookmarks : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE get_Bookmarks(IEnumSpatialBookmark** bookmarks) = 0;
  virtual HRESULT STDMETHODCALLTYPE AddBookmark(ISpatialBookmark* bookmark) = 0;
  virtual HRESULT STDMETHODCALLTYPE RemoveBookmark(ISpatialBookmark* bookmark) = 0;
  virtual HRESULT STDMETHODCALLTYPE RemoveAllBookmarks() = 0;
};

// Asked for only to tell a layer's kind.
// {EDAD6644-1810-11D1-86AE-0000F8751720}: a group layer.
inline constexpr IID kIidIGroupLayer = {
    0xEDAD6644, 0x1810, 0x11D1, {0x86, 0xAE, 0x00, 0x00, 0xF8, 0x75, 0x17, 0x20}};
// {40A9E885-5533-11D0-98BE-00805F7CED21}: a feature layer.
inline constexpr IID kIidIFeatureLayer = {
    0x40A9E885, 0x5533, 0x11D0, {0x98, 0xBE, 0x00, 0x80, 0x5F, 0x7C, 0xED, 0x21}};

// --- the page layout's elements ---
// IElement's and IGraphicsContainer's first members from the listings that name them by
// position (no generated wrapper of them was read); the frames' and the surround's from the
// wrapper, which lists IFrameElement's eight members after a frame's own: in the slots they come
// first.

// {DD94D76A-836D-11D0-87EC-080009EC732A}: the page layout; asked for only to tell the layout
// from a data frame. Its view and its elements are asked of it as IActiveView and
// IGraphicsContainer.
inline constexpr IID kIidIPageLayout = {
    0xDD94D76A, 0x836D, 0x11D0, {0x87, 0xEC, 0x08, 0x00, 0x09, 0xEC, 0x73, 0x2A}};

// {9B001319-9ED7-11D0-859E-0800091A2A72}: an element of the layout; 11 members.
inline constexpr IID kIidIElement = {
    0x9B001319, 0x9ED7, 0x11D0, {0x85, 0x9E, 0x08, 0x00, 0x09, 0x1A, 0x2A, 0x72}};

struct IElement : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE get_Geometry(IGeometry** geometry) = 0;
  // ... further members, which the system does not call.
};

// {D09411D1-4BB4-11D1-B6CC-080009B996CC}: the layout's elements in order; 18 members.
inline constexpr IID kIidIGraphicsContainer = {
    0xD09411D1, 0x4BB4, 0x11D1, {0xB6, 0xCC, 0x08, 0x00, 0x09, 0xB9, 0x96, 0xCC}};

struct IGraphicsContainer : public IUnknown {
  // Hands out nothing after the last element.
  virtual HRESULT STDMETHODCALLTYPE Next(IElement** element) = 0;
  virtual HRESULT STDMETHODCALLTYPE Reset() = 0;
  // ... further members, which the system does not call.
};

// The frame of an element: eight members, the base of the map and map-surround frames.
struct IFrameElement : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE get_Object(VARIANT* object) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Border(IUnknown** border) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_Border(IUnknown* border) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Background(IUnknown** background) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_Background(IUnknown* background) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Thumbnail(OLE_HANDLE* bitmap) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_DraftMode(VARIANT_BOOL* draft) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_DraftMode(VARIANT_BOOL draft) = 0;
};

// {9B00131B-9ED7-11D0-859E-0800091A2A72}: the frame of a data frame on the layout.
inline constexpr IID kIidIMapFrame = {
    0x9B00131B, 0x9ED7, 0x11D0, {0x85, 0x9E, 0x08, 0x00, 0x09, 0x1A, 0x2A, 0x72}};

struct IMapFrame : public IFrameElement {
  virtual HRESULT STDMETHODCALLTYPE get_Map(IMap** map) = 0;
  // ... further members, which the system does not call.
};

// {FE3115E9-ED6C-11D0-8683-0000F8751720}: what a map-surround frame holds (a legend, a north
// arrow, a scale bar); ten members.
inline constexpr IID kIidIMapSurround = {
    0xFE3115E9, 0xED6C, 0x11D0, {0x86, 0x83, 0x00, 0x00, 0xF8, 0x75, 0x17, 0x20}};

struct IMapSurround : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE get_Map(IMap** map) = 0;
  virtual HRESULT STDMETHODCALLTYPE putref_Map(IMap* map) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Name(BSTR* name) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_Name(BSTR name) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Icon(OLE_HANDLE* icon) = 0;
  virtual HRESULT STDMETHODCALLTYPE QueryBounds(IUnknown* display, IEnvelope* oldBounds,
                                                IEnvelope* newBounds) = 0;
  // `changed` is in and out.
  virtual HRESULT STDMETHODCALLTYPE FitToBounds(IUnknown* display, IEnvelope* bounds,
                                                VARIANT_BOOL* changed) = 0;
  virtual HRESULT STDMETHODCALLTYPE DelayEvents(VARIANT_BOOL delay) = 0;
  virtual HRESULT STDMETHODCALLTYPE Refresh() = 0;
  virtual HRESULT STDMETHODCALLTYPE Draw(IUnknown* display, IUnknown* cancel,
                                         IEnvelope* bounds) = 0;
};

// {3141F307-38E2-11D1-8809-080009EC732A}: a legend, a map surround; asked for only to tell a
// legend from other surrounds.
inline constexpr IID kIidILegend = {
    0x3141F307, 0x38E2, 0x11D1, {0x88, 0x09, 0x08, 0x00, 0x09, 0xEC, 0x73, 0x2A}};

// {9B00131C-9ED7-11D0-859E-0800091A2A72}: the frame of a map surround on the layout.
inline constexpr IID kIidIMapSurroundFrame = {
    0x9B00131C, 0x9ED7, 0x11D0, {0x85, 0x9E, 0x08, 0x00, 0x09, 0x1A, 0x2A, 0x72}};

struct IMapSurroundFrame : public IFrameElement {
  virtual HRESULT STDMETHODCALLTYPE get_MapSurround(IMapSurround** surround) = 0;
  virtual HRESULT STDMETHODCALLTYPE putref_MapSurround(IMapSurround* surround) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_MapFrame(IMapFrame** frame) = 0;
  virtual HRESULT STDMETHODCALLTYPE putref_MapFrame(IMapFrame* frame) = 0;
};

// {DFD9FF9F-3080-11D2-94C9-080009EEBECB}: the document's maps (its data frames).
inline constexpr IID kIidIMaps = {
    0xDFD9FF9F, 0x3080, 0x11D2, {0x94, 0xC9, 0x08, 0x00, 0x09, 0xEE, 0xBE, 0xCB}};

struct IMaps : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE get_Count(LONG* count) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Item(LONG index, IMap** map) = 0;
  virtual HRESULT STDMETHODCALLTYPE Create(IMap** map) = 0;
  virtual HRESULT STDMETHODCALLTYPE Remove(IMap* map) = 0;
  virtual HRESULT STDMETHODCALLTYPE Add(IMap* map) = 0;
  virtual HRESULT STDMETHODCALLTYPE RemoveAt(LONG index) = 0;
  virtual HRESULT STDMETHODCALLTYPE Reset() = 0;
};

// --- the host's ArcMapUI library ----------------------------------------------------------
// From the wrapper comtypes generates from the version 10.2 type library
// (_40499F24_596F_45D2_ACE1_A251E2990017_0_10_2.py, which lists the members in slot order).

// {0522A5F1-487C-11D0-98BD-00805F7CED21}: the map document. IUnknown-based, 37 members, declared
// up to get_Maps, the 20th and the last the system calls.
inline constexpr IID kIidIMxDocument = {
    0x0522A5F1, 0x487C, 0x11D0, {0x98, 0xBD, 0x00, 0x80, 0x5F, 0x7C, 0xED, 0x21}};

struct IMxDocument : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE putref_PageLayout(IUnknown* layout) = 0;
  // The page layout, as an object asked for its view and its elements.
  virtual HRESULT STDMETHODCALLTYPE get_PageLayout(IUnknown** layout) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_ActiveView(IActiveView** view) = 0;
  virtual HRESULT STDMETHODCALLTYPE putref_ActiveView(IActiveView* view) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_ActivatedView(IActiveView** view) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_ActiveViewCommand(ICommand** command) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_FocusMap(IMap** map) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_SelectedLayer(ILayer** layer) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_SelectedItem(IUnknown** item) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_ContextItem(IUnknown** item) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_ContextItem(IUnknown* item) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_StyleGallery(IUnknown** gallery) = 0;
  virtual HRESULT STDMETHODCALLTYPE AddLayer(ILayer* layer) = 0;
  // Redraws the table of contents; the 14th member, right after AddLayer.
  virtual HRESULT STDMETHODCALLTYPE UpdateContents() = 0;
  virtual HRESULT STDMETHODCALLTYPE get_SearchTolerance(double* tolerance) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_SearchTolerancePixels(LONG* tolerance) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_SearchTolerancePixels(LONG tolerance) = 0;
  virtual HRESULT STDMETHODCALLTYPE InsertObject() = 0;
  virtual HRESULT STDMETHODCALLTYPE CanInsertObject(VARIANT_BOOL* enabled) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Maps(IMaps** maps) = 0;
  // ... further members, which the system does not call (the 37th is get_TableProperties).
};

}  // namespace cw::com
