#pragma once

// The stand-in host's data frames: their layers, their bookmarks and their views, and the
// document's collection of them.

#include <windows.h>
// After windows.h, which they need before them.
#include <oaidl.h>
#include <unknwn.h>

#include <string>
#include <utility>
#include <vector>

#include "com/fake_counted.h"
#include "com/fake_geometry.h"

namespace cw::hostfake {

// A layer: a feature layer, a group of member layers, or another kind.
class FakeLayer : public Counted<ILayer>, public ICompositeLayer {
 public:
  enum class Kind { kFeature, kGroup, kOther };
  FakeLayer(std::wstring name, Kind kind, bool visible = true)
      : name_(std::move(name)), kind_(kind), visible_(visible) {}

  std::vector<FakeLayer*> members;
  bool isVisible() const { return visible_; }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (kind_ == Kind::kGroup && IsEqualIID(iid, __uuidof(::ICompositeLayer))) {
      return answer(iid, object, static_cast<ICompositeLayer*>(this), __uuidof(::ICompositeLayer));
    }
    const IID& kindIid = kind_ == Kind::kGroup     ? __uuidof(::IGroupLayer)
                         : kind_ == Kind::kFeature ? __uuidof(::IFeatureLayer)
                                                   : __uuidof(::ILayer);
    return answer(iid, object, static_cast<ILayer*>(this), __uuidof(::ILayer), kindIid);
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
  HRESULT STDMETHODCALLTYPE get_AreaOfInterest(IEnvelope**) override { return E_NOTIMPL; }
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

// A bookmark of a data frame; it remembers the data frames it was applied to.
class FakeBookmark : public Counted<ISpatialBookmark> {
 public:
  explicit FakeBookmark(std::wstring name) : name_(std::move(name)) {}

  std::vector<IMap*> zoomedTo;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    return answer(iid, object, static_cast<ISpatialBookmark*>(this), __uuidof(::ISpatialBookmark));
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
    return answer(iid, object, static_cast<IEnumSpatialBookmark*>(this),
                  __uuidof(::IEnumSpatialBookmark));
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
    if (keepsBookmarks_ && IsEqualIID(iid, __uuidof(::IMapBookmarks))) {
      return answer(iid, object, static_cast<IMapBookmarks*>(this), __uuidof(::IMapBookmarks));
    }
    if (IsEqualIID(iid, __uuidof(::IActiveView))) {
      return answer(iid, object, static_cast<IActiveView*>(&view_), __uuidof(::IActiveView));
    }
    return answer(iid, object, static_cast<IMap*>(this), __uuidof(::IMap));
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
  HRESULT STDMETHODCALLTYPE put_AreaOfInterest(IEnvelope*) override { return E_NOTIMPL; }

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
    return answer(iid, object, static_cast<IMaps*>(this), __uuidof(::IMaps));
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

}  // namespace cw::hostfake
