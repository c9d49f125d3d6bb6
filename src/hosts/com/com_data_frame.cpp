#include "hosts/com/com_data_frame.h"

#include <utility>

#include "base/failure.h"
#include "hosts/com/bstr_text.h"
#include "hosts/com/com_envelope.h"
#include "hosts/com/host_call.h"
#include "hosts/com/wrapper_cache.h"

namespace cw::com {

namespace {

[[noreturn]] void notYetReached(const char* what) {
  throw Failure(err::kInternalError, std::string(what) + " of the host is not reached yet");
}

// Whether `object` answers `iid`.
bool answers(IUnknown* object, REFIID iid) {
  ComRef<IUnknown> asked;
  return SUCCEEDED(object->QueryInterface(iid, asked.outVoid())) && asked;
}

}  // namespace

ComDataFrame::ComDataFrame(IMap* map) : map_(ComRef<IMap>::share(map)) {}
ComDataFrame::~ComDataFrame() = default;

std::string ComDataFrame::name() const {
  ReceivedBstr name;
  hostCall(map_->get_Name(name.out()));
  return name.utf8();
}

int ComDataFrame::layerCount() const {
  LONG count = 0;
  hostCall(map_->get_LayerCount(&count));
  return static_cast<int>(count);
}

host::HostLayer& ComDataFrame::layer(int index) {
  ComRef<ILayer> layer;
  hostObject(map_->get_Layer(index, layer.out()), layer);
  return wrapperFor(layers_, layer.get());
}

void ComDataFrame::restartBookmarks() {
  ComRef<IMapBookmarks> bookmarks;
  hostObject(map_->QueryInterface(kIidIMapBookmarks, bookmarks.outVoid()), bookmarks);
  ComRef<IEnumSpatialBookmark> walk;
  hostObject(bookmarks->get_Bookmarks(walk.out()), walk);
  hostCall(walk->Reset());
  bookmarkWalk_ = std::move(walk);
}

host::SpatialBookmark* ComDataFrame::nextBookmark() {
  if (!bookmarkWalk_) {
    throw Failure(err::kObjectVariableNotSet, "Object variable or With block variable not set");
  }
  ComRef<ISpatialBookmark> bookmark;
  hostCall(bookmarkWalk_->Next(bookmark.out()));
  if (!bookmark) return nullptr;
  return &wrapperFor(bookmarks_, bookmark.get());
}

ComRef<IActiveView> ComDataFrame::view() const {
  ComRef<IActiveView> view;
  hostObject(map_->QueryInterface(kIidIActiveView, view.outVoid()), view);
  return view;
}

host::Envelope ComDataFrame::extent() const {
  ComRef<IEnvelope> extent;
  hostObject(view()->get_Extent(extent.out()), extent);
  return readEnvelope(extent.get());
}

void ComDataFrame::setExtent(const host::Envelope& extent) {
  ComRef<IEnvelope> shown = newEnvelope(extent);
  hostCall(view()->put_Extent(shown.get()));
}

// A data frame's view is redrawn whole: only the page layout redraws single elements.
void ComDataFrame::invalidate(host::DrawPhase phase, const void* object) {
  if (object) notYetReached("A layout element");
  hostCall(view()->PartialRefresh(static_cast<LONG>(phase), nullptr, nullptr));
}

ComBookmark::ComBookmark(ISpatialBookmark* bookmark)
    : bookmark_(ComRef<ISpatialBookmark>::share(bookmark)) {}
ComBookmark::~ComBookmark() = default;

std::string ComBookmark::name() const {
  ReceivedBstr name;
  hostCall(bookmark_->get_Name(name.out()));
  return name.utf8();
}

void ComBookmark::applyTo(host::DataFrame& frame) {
  auto* hostFrame = dynamic_cast<ComDataFrame*>(&frame);
  if (!hostFrame) throw Failure(err::kTypeMismatch, "Type mismatch");
  hostCall(bookmark_->ZoomTo(hostFrame->object()));
}

ComLayer::ComLayer(ILayer* layer) : layer_(ComRef<ILayer>::share(layer)) {}
ComLayer::~ComLayer() = default;

std::string ComLayer::name() const {
  ReceivedBstr name;
  hostCall(layer_->get_Name(name.out()));
  return name.utf8();
}

bool ComLayer::visible() const {
  VARIANT_BOOL visible = VARIANT_FALSE;
  hostCall(layer_->get_Visible(&visible));
  return visible != VARIANT_FALSE;
}

void ComLayer::setVisible(bool visible) {
  hostCall(layer_->put_Visible(visible ? VARIANT_TRUE : VARIANT_FALSE));
}

bool ComLayer::isGroupLayer() const {
  return answers(layer_.get(), kIidIGroupLayer);
}

bool ComLayer::isFeatureLayer() const {
  return answers(layer_.get(), kIidIFeatureLayer);
}

ComRef<ICompositeLayer> ComLayer::members() const {
  ComRef<ICompositeLayer> composite;
  hostObject(layer_->QueryInterface(kIidICompositeLayer, composite.outVoid()), composite);
  return composite;
}

int ComLayer::memberCount() const {
  LONG count = 0;
  hostCall(members()->get_Count(&count));
  return static_cast<int>(count);
}

host::HostLayer& ComLayer::member(int index) {
  ComRef<ILayer> layer;
  hostObject(members()->get_Layer(index, layer.out()), layer);
  return wrapperFor(members_, layer.get());
}

}  // namespace cw::com
