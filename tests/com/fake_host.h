#pragma once

// A stand-in for the host's side of COM inside the test process: an application reference
// class registered in-process by the host's class id, its application, its map document and the
// document's maps. Each object counts the references held to it; the test owns them on the
// stack and checks that the adapter gives back every one it took.

#include <windows.h>
// After windows.h, which they need before them.
#include <oaidl.h>
#include <unknwn.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "hosts/com/host_interfaces.h"

namespace cw::com::testing {

// IUnknown of one interface, counting references.
template <typename Interface>
class Counted : public Interface {
 public:
  LONG references() const { return references_; }
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++references_); }
  ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(--references_); }

 protected:
  // Hands this object out as `answer` when `iid` is one of `iids`.
  template <typename... Iids>
  HRESULT answer(REFIID iid, void** object, void* as, const Iids&... iids) {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (!(IsEqualIID(iid, IID_IUnknown) || ... || IsEqualIID(iid, iids))) return E_NOINTERFACE;
    *object = as;
    AddRef();
    return S_OK;
  }

 private:
  LONG references_ = 1;  // the test's own
};

// Hands `item` out through `out` with a reference of its own; E_INVALIDARG out of range.
template <typename Interface, typename Fake>
HRESULT handOut(const std::vector<Fake*>& items, LONG index, Interface** out) {
  *out = nullptr;
  if (index < 0 || index >= static_cast<LONG>(items.size())) return E_INVALIDARG;
  items[index]->AddRef();
  *out = items[index];
  return S_OK;
}

// Leaves `description` as this thread's error information, as a failing host object does.
inline void failWith(const wchar_t* description) {
  ICreateErrorInfo* create = nullptr;
  if (FAILED(::CreateErrorInfo(&create))) return;
  create->SetDescription(const_cast<LPOLESTR>(description));
  IErrorInfo* info = nullptr;
  if (SUCCEEDED(create->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&info)))) {
    ::SetErrorInfo(0, info);
    info->Release();
  }
  create->Release();
}

inline BSTR textOf(const std::wstring& text) {
  return ::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
}

// A layer: a feature layer, a group of member layers, or another kind.
class FakeLayer : public Counted<ILayer>, public ICompositeLayer {
 public:
  enum class Kind { kFeature, kGroup, kOther };
  FakeLayer(std::wstring name, Kind kind, bool visible = true)
      : name_(std::move(name)), kind_(kind), visible_(visible) {}

  std::vector<FakeLayer*> members;
  bool isVisible() const { return visible_; }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (kind_ == Kind::kGroup && IsEqualIID(iid, kIidICompositeLayer)) {
      return answer(iid, object, static_cast<ICompositeLayer*>(this), kIidICompositeLayer);
    }
    const IID& kindIid = kind_ == Kind::kGroup     ? kIidIGroupLayer
                         : kind_ == Kind::kFeature ? kIidIFeatureLayer
                                                   : kIidILayer;
    return answer(iid, object, static_cast<ILayer*>(this), kIidILayer, kindIid);
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return Counted<ILayer>::AddRef(); }
  ULONG STDMETHODCALLTYPE Release() override { return Counted<ILayer>::Release(); }

  HRESULT STDMETHODCALLTYPE get_Name(BSTR* name) override {
    *name = textOf(name_);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_Visible(VARIANT_BOOL* visible) override {
    *visible = visible_ ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE put_Visible(VARIANT_BOOL visible) override {
    visible_ = visible != VARIANT_FALSE;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_Count(LONG* count) override {
    *count = static_cast<LONG>(members.size());
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_Layer(LONG index, ILayer** layer) override {
    return handOut(members, index, layer);
  }

  HRESULT STDMETHODCALLTYPE put_Name(BSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_Valid(VARIANT_BOOL*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_AreaOfInterest(IUnknown**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_MinimumScale(double*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_MinimumScale(double) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_MaximumScale(double*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_MaximumScale(double) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_ShowTips(VARIANT_BOOL*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_ShowTips(VARIANT_BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_TipText(double, double, double, BSTR*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE get_Cached(VARIANT_BOOL*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_Cached(VARIANT_BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_SupportedDrawPhases(LONG*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE putref_SpatialReference(IUnknown*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Draw(LONG, IUnknown*, IUnknown*) override { return E_NOTIMPL; }

 private:
  std::wstring name_;
  Kind kind_;
  bool visible_;
};

#define CW_FAKE_CALL(declaration)                  \
  HRESULT STDMETHODCALLTYPE declaration override { \
    return E_NOTIMPL;                              \
  }

// A host envelope: its corners, nothing else.
class FakeEnvelope : public Counted<IEnvelope> {
 public:
  FakeEnvelope() = default;
  FakeEnvelope(double xMin, double yMin, double xMax, double yMax)
      : xMin(xMin), yMin(yMin), xMax(xMax), yMax(yMax) {}

  double xMin = 0, yMin = 0, xMax = 0, yMax = 0;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    return answer(iid, object, static_cast<IEnvelope*>(this), kIidIEnvelope);
  }
  HRESULT STDMETHODCALLTYPE get_XMin(double* v) override { return *v = xMin, S_OK; }
  HRESULT STDMETHODCALLTYPE put_XMin(double v) override { return xMin = v, S_OK; }
  HRESULT STDMETHODCALLTYPE get_YMin(double* v) override { return *v = yMin, S_OK; }
  HRESULT STDMETHODCALLTYPE put_YMin(double v) override { return yMin = v, S_OK; }
  HRESULT STDMETHODCALLTYPE get_XMax(double* v) override { return *v = xMax, S_OK; }
  HRESULT STDMETHODCALLTYPE put_XMax(double v) override { return xMax = v, S_OK; }
  HRESULT STDMETHODCALLTYPE get_YMax(double* v) override { return *v = yMax, S_OK; }
  HRESULT STDMETHODCALLTYPE put_YMax(double v) override { return yMax = v, S_OK; }
  // An envelope's own bounding rectangle is itself.
  HRESULT STDMETHODCALLTYPE get_Envelope(IEnvelope** envelope) override {
    AddRef();
    *envelope = this;
    return S_OK;
  }

  CW_FAKE_CALL(get_GeometryType(LONG*))
  CW_FAKE_CALL(get_Dimension(LONG*))
  CW_FAKE_CALL(get_SpatialReference(IUnknown**))
  CW_FAKE_CALL(putref_SpatialReference(IUnknown*))
  CW_FAKE_CALL(get_IsEmpty(VARIANT_BOOL*))
  CW_FAKE_CALL(SetEmpty())
  CW_FAKE_CALL(QueryEnvelope(IEnvelope*))
  CW_FAKE_CALL(Project(IUnknown*))
  CW_FAKE_CALL(SnapToSpatialReference())
  CW_FAKE_CALL(GeoNormalize())
  CW_FAKE_CALL(GeoNormalizeFromLongitude(double))
  CW_FAKE_CALL(get_Width(double*))
  CW_FAKE_CALL(put_Width(double))
  CW_FAKE_CALL(get_Height(double*))
  CW_FAKE_CALL(put_Depth(double))
  CW_FAKE_CALL(get_Depth(double*))
  CW_FAKE_CALL(put_Height(double))
  CW_FAKE_CALL(get_LowerLeft(IUnknown**))
  CW_FAKE_CALL(put_LowerLeft(IUnknown*))
  CW_FAKE_CALL(get_UpperLeft(IUnknown**))
  CW_FAKE_CALL(put_UpperLeft(IUnknown*))
  CW_FAKE_CALL(get_UpperRight(IUnknown**))
  CW_FAKE_CALL(put_UpperRight(IUnknown*))
  CW_FAKE_CALL(get_LowerRight(IUnknown**))
  CW_FAKE_CALL(put_LowerRight(IUnknown*))
};

// The envelope class, registered for this process by the host's class id while it lives; it
// keeps every envelope it made.
class FakeEnvelopeClass : public Counted<IClassFactory> {
 public:
  FakeEnvelopeClass() {
    registered_ = ::CoRegisterClassObject(kClsidEnvelope, this, CLSCTX_INPROC_SERVER,
                                          REGCLS_MULTIPLEUSE, &cookie_);
  }
  ~FakeEnvelopeClass() {
    if (SUCCEEDED(registered_)) ::CoRevokeClassObject(cookie_);
  }

  HRESULT registered() const { return registered_; }
  std::vector<std::unique_ptr<FakeEnvelope>> made;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    return answer(iid, object, static_cast<IClassFactory*>(this), IID_IClassFactory);
  }
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override {
    if (outer) return CLASS_E_NOAGGREGATION;
    made.push_back(std::make_unique<FakeEnvelope>());
    const HRESULT result = made.back()->QueryInterface(iid, object);
    made.back()->Release();  // the one reference is the caller's
    return result;
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }

 private:
  HRESULT registered_ = E_FAIL;
  DWORD cookie_ = 0;
};

// A data frame's view, handed out as a part of its map (the same object to COM): its extent,
// the extents it was told to show and the phases it was told to redraw.
class FakeView : public IActiveView {
 public:
  explicit FakeView(IUnknown& owner) : owner_(owner) {}

  FakeEnvelope extent;
  std::vector<FakeEnvelope> shown;  // copies of the corners handed to put_Extent
  std::vector<LONG> redrawn;
  std::vector<IUnknown*> redrawnObjects;
  IUnknown* screenDisplay = nullptr;
  IMap* focusMap = nullptr;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    return owner_.QueryInterface(iid, object);
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return owner_.AddRef(); }
  ULONG STDMETHODCALLTYPE Release() override { return owner_.Release(); }

  HRESULT STDMETHODCALLTYPE get_Extent(IEnvelope** out) override {
    extent.AddRef();
    *out = &extent;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE put_Extent(IEnvelope* in) override {
    FakeEnvelope copy;
    in->get_XMin(&copy.xMin);
    in->get_YMin(&copy.yMin);
    in->get_XMax(&copy.xMax);
    in->get_YMax(&copy.yMax);
    shown.push_back(copy);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE PartialRefresh(LONG phase, IUnknown* data, IEnvelope*) override {
    redrawn.push_back(phase);
    redrawnObjects.push_back(data);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_ScreenDisplay(IUnknown** display) override {
    *display = screenDisplay;
    if (screenDisplay) screenDisplay->AddRef();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_FocusMap(IMap** map) override {
    *map = focusMap;
    if (focusMap) focusMap->AddRef();
    return S_OK;
  }

  CW_FAKE_CALL(get_FullExtent(IEnvelope**))
  CW_FAKE_CALL(put_FullExtent(IEnvelope*))
  CW_FAKE_CALL(get_GraphicsContainer(IUnknown**))
  CW_FAKE_CALL(putref_FocusMap(IMap*))
  CW_FAKE_CALL(get_IsMapActivated(VARIANT_BOOL*))
  CW_FAKE_CALL(put_IsMapActivated(VARIANT_BOOL))
  CW_FAKE_CALL(get_Selection(IUnknown**))
  CW_FAKE_CALL(putref_Selection(IUnknown*))
  CW_FAKE_CALL(get_TipText(double, double, BSTR*))
  CW_FAKE_CALL(get_ExportFrame(RECT*))
  CW_FAKE_CALL(get_ShowScrollBars(VARIANT_BOOL*))
  CW_FAKE_CALL(put_ShowScrollBars(VARIANT_BOOL))
  CW_FAKE_CALL(get_ShowRulers(VARIANT_BOOL*))
  CW_FAKE_CALL(put_ShowRulers(VARIANT_BOOL))
  CW_FAKE_CALL(get_ShowSelection(VARIANT_BOOL*))
  CW_FAKE_CALL(put_ShowSelection(VARIANT_BOOL))
  CW_FAKE_CALL(get_ExtentStack(IUnknown**))
  CW_FAKE_CALL(get_ScreenCacheID(LONG, IUnknown*, short*))
  CW_FAKE_CALL(HitTestMap(IUnknown*, IMap**))
  CW_FAKE_CALL(IsActive(VARIANT_BOOL*))
  CW_FAKE_CALL(Activate(OLE_HANDLE))
  CW_FAKE_CALL(Deactivate())
  CW_FAKE_CALL(Draw(OLE_HANDLE, IUnknown*))
  CW_FAKE_CALL(Output(OLE_HANDLE, LONG, RECT*, IEnvelope*, IUnknown*))
  CW_FAKE_CALL(Refresh())

 private:
  IUnknown& owner_;
};

#undef CW_FAKE_CALL

// A bookmark of a data frame; it remembers the data frames it was applied to.
class FakeBookmark : public Counted<ISpatialBookmark> {
 public:
  explicit FakeBookmark(std::wstring name) : name_(std::move(name)) {}

  std::vector<IMap*> zoomedTo;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    return answer(iid, object, static_cast<ISpatialBookmark*>(this), kIidISpatialBookmark);
  }
  HRESULT STDMETHODCALLTYPE get_Name(BSTR* name) override {
    *name = textOf(name_);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE ZoomTo(IMap* map) override {
    zoomedTo.push_back(map);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_BookmarkType(BSTR*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_Name(BSTR) override { return E_NOTIMPL; }

 private:
  std::wstring name_;
};

// The walk over a data frame's bookmarks: nothing after the last, S_FALSE as the host answers.
class FakeBookmarkWalk : public Counted<IEnumSpatialBookmark> {
 public:
  explicit FakeBookmarkWalk(const std::vector<FakeBookmark*>& bookmarks) : bookmarks_(bookmarks) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    return answer(iid, object, static_cast<IEnumSpatialBookmark*>(this), kIidIEnumSpatialBookmark);
  }
  HRESULT STDMETHODCALLTYPE Next(ISpatialBookmark** bookmark) override {
    if (next_ >= bookmarks_.size()) {
      *bookmark = nullptr;
      return S_FALSE;
    }
    return handOut(bookmarks_, static_cast<LONG>(next_++), bookmark);
  }
  HRESULT STDMETHODCALLTYPE Reset() override {
    next_ = 0;
    return S_OK;
  }

 private:
  const std::vector<FakeBookmark*>& bookmarks_;
  std::size_t next_ = 0;
};

// A data frame with its layers and, unless told otherwise, its bookmarks.
class FakeMap : public Counted<IMap>, public IMapBookmarks {
 public:
  explicit FakeMap(std::wstring name, std::vector<FakeLayer*> layers = {},
                   std::vector<FakeBookmark*> bookmarks = {}, bool keepsBookmarks = true)
      : name_(std::move(name)),
        layers_(std::move(layers)),
        bookmarks_(std::move(bookmarks)),
        keepsBookmarks_(keepsBookmarks) {}

  FakeBookmarkWalk& walk() { return walk_; }

  FakeView& view() { return view_; }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (keepsBookmarks_ && IsEqualIID(iid, kIidIMapBookmarks)) {
      return answer(iid, object, static_cast<IMapBookmarks*>(this), kIidIMapBookmarks);
    }
    if (IsEqualIID(iid, kIidIActiveView)) {
      return answer(iid, object, static_cast<IActiveView*>(&view_), kIidIActiveView);
    }
    return answer(iid, object, static_cast<IMap*>(this), kIidIMap);
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return Counted<IMap>::AddRef(); }
  ULONG STDMETHODCALLTYPE Release() override { return Counted<IMap>::Release(); }

  // Every call hands out the same walk, as the host does, where it continues.
  HRESULT STDMETHODCALLTYPE get_Bookmarks(IEnumSpatialBookmark** walk) override {
    walk_.AddRef();
    *walk = &walk_;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE AddBookmark(ISpatialBookmark*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE RemoveBookmark(ISpatialBookmark*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE RemoveAllBookmarks() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_Name(BSTR* name) override {
    *name = textOf(name_);
    return S_OK;
  }
  int layerCountQueries = 0;

  HRESULT STDMETHODCALLTYPE get_LayerCount(LONG* count) override {
    ++layerCountQueries;
    *count = static_cast<LONG>(layers_.size());
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_Layer(LONG index, ILayer** layer) override {
    return handOut(layers_, index, layer);
  }
  HRESULT STDMETHODCALLTYPE put_Name(BSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_Description(BSTR*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_Description(BSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_AreaOfInterest(IUnknown*) override { return E_NOTIMPL; }

 private:
  std::wstring name_;
  std::vector<FakeLayer*> layers_;
  std::vector<FakeBookmark*> bookmarks_;
  bool keepsBookmarks_;
  FakeBookmarkWalk walk_{bookmarks_};
  FakeView view_{*static_cast<IMap*>(this)};
};

class FakeMaps : public Counted<IMaps> {
 public:
  explicit FakeMaps(std::vector<FakeMap*> maps) : maps_(std::move(maps)) {}
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    return answer(iid, object, static_cast<IMaps*>(this), kIidIMaps);
  }
  HRESULT STDMETHODCALLTYPE get_Count(LONG* count) override {
    *count = static_cast<LONG>(maps_.size());
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_Item(LONG index, IMap** map) override {
    return handOut(maps_, index, map);
  }
  HRESULT STDMETHODCALLTYPE Create(IMap**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Remove(IMap*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Add(IMap*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE RemoveAt(LONG) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reset() override { return E_NOTIMPL; }

 private:
  std::vector<FakeMap*> maps_;
};

#define CW_FAKE_SLOT(n)                          \
  HRESULT STDMETHODCALLTYPE slot##n() override { \
    return E_NOTIMPL;                            \
  }

// The host's document: the framework's document (a dispatch object) that answers the map
// document's interface, unless told it is some other kind of document.
class FakeDocument : public Counted<IMxDocument> {
 public:
  FakeDocument(FakeMaps* maps, bool isMapDocument) : maps_(maps), isMapDocument_(isMapDocument) {}

  HRESULT mapsResult = S_OK;  // what get_Maps answers
  IUnknown* pageLayout = nullptr;
  IMap* focusMap = nullptr;
  IActiveView* activeView = nullptr;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (isMapDocument_)
      return answer(iid, object, static_cast<IMxDocument*>(this), kIidIMxDocument);
    return answer(iid, object, static_cast<IMxDocument*>(this));
  }
  HRESULT STDMETHODCALLTYPE get_Maps(IMaps** maps) override {
    if (FAILED(mapsResult)) {
      failWith(L"The document is being saved");
      return mapsResult;
    }
    maps_->AddRef();
    *maps = maps_;
    return S_OK;
  }
  template <typename T>
  static HRESULT lend(T* object, T** out) {
    *out = object;
    if (!object) return E_FAIL;
    object->AddRef();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_PageLayout(IUnknown** out) override {
    return lend(pageLayout, out);
  }
  HRESULT STDMETHODCALLTYPE get_ActiveView(IActiveView** out) override {
    return lend(activeView, out);
  }
  HRESULT STDMETHODCALLTYPE get_FocusMap(IMap** out) override { return lend(focusMap, out); }
  HRESULT STDMETHODCALLTYPE putref_PageLayout(IUnknown*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE putref_ActiveView(IActiveView*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_ActivatedView(IActiveView**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_ActiveViewCommand(IUnknown**) override { return E_NOTIMPL; }
  CW_FAKE_SLOT(8)
  CW_FAKE_SLOT(9)
  CW_FAKE_SLOT(10)
  CW_FAKE_SLOT(11)
  CW_FAKE_SLOT(12)
  CW_FAKE_SLOT(13)
  CW_FAKE_SLOT(14)
  CW_FAKE_SLOT(15)
  CW_FAKE_SLOT(16)
  CW_FAKE_SLOT(17)
  CW_FAKE_SLOT(18)
  CW_FAKE_SLOT(19)
  CW_FAKE_SLOT(21)
  CW_FAKE_SLOT(22)
  CW_FAKE_SLOT(23)
  CW_FAKE_SLOT(24)
  CW_FAKE_SLOT(25)
  CW_FAKE_SLOT(26)
  CW_FAKE_SLOT(27)
  CW_FAKE_SLOT(28)
  CW_FAKE_SLOT(29)
  CW_FAKE_SLOT(30)
  CW_FAKE_SLOT(31)
  CW_FAKE_SLOT(32)
  CW_FAKE_SLOT(33)
  CW_FAKE_SLOT(34)
  CW_FAKE_SLOT(35)
  CW_FAKE_SLOT(36)
  HRESULT STDMETHODCALLTYPE UpdateContents() override { return E_NOTIMPL; }

 private:
  FakeMaps* maps_;
  bool isMapDocument_;
};

#undef CW_FAKE_SLOT

#define CW_FAKE_CALL(declaration)                  \
  HRESULT STDMETHODCALLTYPE declaration override { \
    return E_NOTIMPL;                              \
  }
#define CW_FAKE_FRAME_ELEMENT                \
  CW_FAKE_CALL(get_Object(VARIANT*))         \
  CW_FAKE_CALL(get_Border(IUnknown**))       \
  CW_FAKE_CALL(put_Border(IUnknown*))        \
  CW_FAKE_CALL(get_Background(IUnknown**))   \
  CW_FAKE_CALL(put_Background(IUnknown*))    \
  CW_FAKE_CALL(get_Thumbnail(OLE_HANDLE*))   \
  CW_FAKE_CALL(get_DraftMode(VARIANT_BOOL*)) \
  CW_FAKE_CALL(put_DraftMode(VARIANT_BOOL))

// The frame of a data frame on the layout.
class FakeMapFrame : public Counted<IMapFrame> {
 public:
  explicit FakeMapFrame(FakeMap* map) : map_(map) {}
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    return answer(iid, object, static_cast<IMapFrame*>(this), kIidIMapFrame);
  }
  HRESULT STDMETHODCALLTYPE get_Map(IMap** map) override {
    map_->AddRef();
    *map = map_;
    return S_OK;
  }
  CW_FAKE_FRAME_ELEMENT

 private:
  FakeMap* map_;
};

// A legend or another surround; it remembers its refreshes and its fits.
class FakeSurround : public Counted<IMapSurround> {
 public:
  explicit FakeSurround(bool isLegend) : isLegend_(isLegend) {}

  int refreshes = 0;
  struct Fit {
    IUnknown* display;
    FakeEnvelope bounds;
    VARIANT_BOOL changedIn;
  };
  std::vector<Fit> fits;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (isLegend_)
      return answer(iid, object, static_cast<IMapSurround*>(this), kIidIMapSurround, kIidILegend);
    return answer(iid, object, static_cast<IMapSurround*>(this), kIidIMapSurround);
  }
  HRESULT STDMETHODCALLTYPE Refresh() override {
    ++refreshes;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE FitToBounds(IUnknown* display, IEnvelope* bounds,
                                        VARIANT_BOOL* changed) override {
    Fit fit{display, {}, *changed};
    bounds->get_XMin(&fit.bounds.xMin);
    bounds->get_YMin(&fit.bounds.yMin);
    bounds->get_XMax(&fit.bounds.xMax);
    bounds->get_YMax(&fit.bounds.yMax);
    fits.push_back(fit);
    *changed = VARIANT_FALSE;
    return S_OK;
  }
  CW_FAKE_CALL(get_Map(IMap**))
  CW_FAKE_CALL(putref_Map(IMap*))
  CW_FAKE_CALL(get_Name(BSTR*))
  CW_FAKE_CALL(put_Name(BSTR))
  CW_FAKE_CALL(get_Icon(OLE_HANDLE*))
  CW_FAKE_CALL(QueryBounds(IUnknown*, IEnvelope*, IEnvelope*))
  CW_FAKE_CALL(DelayEvents(VARIANT_BOOL))
  CW_FAKE_CALL(Draw(IUnknown*, IUnknown*, IEnvelope*))

 private:
  bool isLegend_;
};

// An element of the layout, with its bounds; given a surround and a map frame, it is a
// map-surround frame as well.
class FakeElement : public Counted<IElement>, public IMapSurroundFrame {
 public:
  explicit FakeElement(FakeEnvelope bounds, FakeSurround* surround = nullptr,
                       FakeMapFrame* mapFrame = nullptr)
      : bounds_(bounds), surround_(surround), mapFrame_(mapFrame) {}

  IElement* asElement() { return this; }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (surround_ && IsEqualIID(iid, kIidIMapSurroundFrame)) {
      return answer(iid, object, static_cast<IMapSurroundFrame*>(this), kIidIMapSurroundFrame);
    }
    return answer(iid, object, static_cast<IElement*>(this), kIidIElement);
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return Counted<IElement>::AddRef(); }
  ULONG STDMETHODCALLTYPE Release() override { return Counted<IElement>::Release(); }

  HRESULT STDMETHODCALLTYPE get_Geometry(IGeometry** geometry) override {
    bounds_.AddRef();
    *geometry = &bounds_;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_MapSurround(IMapSurround** surround) override {
    surround_->AddRef();
    *surround = surround_;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_MapFrame(IMapFrame** frame) override {
    mapFrame_->AddRef();
    *frame = mapFrame_;
    return S_OK;
  }
  CW_FAKE_CALL(putref_MapSurround(IMapSurround*))
  CW_FAKE_CALL(putref_MapFrame(IMapFrame*))
  CW_FAKE_FRAME_ELEMENT

  LONG boundsReferences() const { return bounds_.references(); }

 private:
  FakeEnvelope bounds_;
  FakeSurround* surround_;
  FakeMapFrame* mapFrame_;
};

// The page layout: its elements in order, and its view.
class FakePageLayout : public Counted<IGraphicsContainer> {
 public:
  explicit FakePageLayout(std::vector<FakeElement*> elements) : elements_(std::move(elements)) {}

  FakeView& view() { return view_; }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (IsEqualIID(iid, kIidIActiveView)) {
      return answer(iid, object, static_cast<IActiveView*>(&view_), kIidIActiveView);
    }
    return answer(iid, object, static_cast<IGraphicsContainer*>(this), kIidIGraphicsContainer,
                  kIidIPageLayout);
  }
  HRESULT STDMETHODCALLTYPE Next(IElement** element) override {
    if (next_ >= elements_.size()) {
      *element = nullptr;
      return S_FALSE;
    }
    FakeElement* fake = elements_[next_++];
    fake->AddRef();
    *element = fake->asElement();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Reset() override {
    next_ = 0;
    return S_OK;
  }

 private:
  std::vector<FakeElement*> elements_;
  std::size_t next_ = 0;
  FakeView view_{*static_cast<IGraphicsContainer*>(this)};
};

#undef CW_FAKE_FRAME_ELEMENT
#undef CW_FAKE_CALL

// The running application; its document can be swapped, or its answer made to fail.
class FakeApplication : public Counted<IApplication> {
 public:
  explicit FakeApplication(FakeDocument* document) : document_(document) {}

  FakeDocument* document_;
  HRESULT documentResult = S_OK;  // what get_Document answers; S_FALSE hands out nothing

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    return answer(iid, object, static_cast<IApplication*>(this), kIidIApplication, IID_IDispatch);
  }
  HRESULT STDMETHODCALLTYPE get_Document(IDispatch** document) override {
    *document = nullptr;
    if (documentResult != S_OK) return documentResult;
    // The document is a dispatch object of the framework; its IDispatch slots are not called.
    document_->AddRef();
    *document = reinterpret_cast<IDispatch*>(static_cast<IMxDocument*>(document_));
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                   UINT*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE get_Name(BSTR*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_StatusBar(IUnknown**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE ShowDialog(LONG, VARIANT*, VARIANT*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE IsDialogVisible(LONG, VARIANT_BOOL*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_CurrentTool(IUnknown**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE putref_CurrentTool(IUnknown*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_VBE(IDispatch**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE NewDocument(VARIANT_BOOL, BSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE OpenDocument(BSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SaveDocument(BSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SaveAsDocument(BSTR, VARIANT_BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE PrintPreview() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE PrintDocument() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE LockCustomization(BSTR, IUnknown*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE UnlockCustomization(BSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE RefreshWindow() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_Templates(IUnknown**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_hWnd(OLE_HANDLE*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE FindExtensionByName(BSTR, IUnknown**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE FindExtensionByCLSID(IUnknown*, IUnknown**) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Shutdown() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_Visible(VARIANT_BOOL*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_Visible(VARIANT_BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_Caption(BSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_Caption(BSTR*) override { return E_NOTIMPL; }
};

// The application reference class, registered for this process by the host's class id while
// it lives: each instance made is the one application.
class FakeAppRef : public Counted<IClassFactory> {
 public:
  explicit FakeAppRef(FakeApplication* application) : application_(application) {
    registered_ = ::CoRegisterClassObject(kClsidAppRef, this, CLSCTX_INPROC_SERVER,
                                          REGCLS_MULTIPLEUSE, &cookie_);
  }
  ~FakeAppRef() {
    if (SUCCEEDED(registered_)) ::CoRevokeClassObject(cookie_);
  }

  HRESULT registered() const { return registered_; }
  int instancesMade() const { return instancesMade_; }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    return answer(iid, object, static_cast<IClassFactory*>(this), IID_IClassFactory);
  }
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override {
    if (outer) return CLASS_E_NOAGGREGATION;
    ++instancesMade_;
    return application_->QueryInterface(iid, object);
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }

 private:
  FakeApplication* application_;
  HRESULT registered_ = E_FAIL;
  DWORD cookie_ = 0;
  int instancesMade_ = 0;
};

}  // namespace cw::com::testing
