#include "hosts/com/com_document.h"

#include <string>

#include "base/failure.h"
#include "hosts/com/com_data_frame.h"
#include "hosts/com/com_page_layout.h"
#include "hosts/com/host_call.h"
#include "hosts/com/wrapper_cache.h"

namespace cw::com {

ComDocument::ComDocument(IMxDocument* document) : document_(ComRef<IMxDocument>::share(document)) {}

ComDocument::~ComDocument() = default;

int ComDocument::dataFrameCount() const {
  ComRef<IMaps> maps;
  hostObject(document_->get_Maps(maps.out()), maps);
  LONG count = 0;
  hostCall(maps->get_Count(&count));
  return static_cast<int>(count);
}

host::DataFrame& ComDocument::dataFrame(int index) {
  ComRef<IMaps> maps;
  hostObject(document_->get_Maps(maps.out()), maps);
  ComRef<IMap> map;
  hostObject(maps->get_Item(index, map.out()), map);
  return frameFor(map.get());
}

ComDataFrame& ComDocument::frameFor(IMap* map) {
  return wrapperFor(frames_, map);
}

host::DataFrame& ComDocument::focusMap() {
  ComRef<IMap> map;
  hostObject(document_->get_FocusMap(map.out()), map);
  return frameFor(map.get());
}

host::HostView& ComDocument::activeView() {
  ComRef<IActiveView> view;
  hostObject(document_->get_ActiveView(view.out()), view);
  ComRef<IMap> map;
  if (SUCCEEDED(view->QueryInterface(kIidIMap, map.outVoid())) && map) return frameFor(map.get());
  return pageLayout();
}

host::DataFrame& ComDocument::activeDataFrame() {
  ComRef<IActiveView> view;
  hostObject(document_->get_ActiveView(view.out()), view);
  ComRef<IMap> map;
  if (FAILED(view->QueryInterface(kIidIMap, map.outVoid())) || !map) {
    throw Failure(err::kTypeMismatch, "Type mismatch");
  }
  return frameFor(map.get());
}

host::PageLayout& ComDocument::pageLayout() {
  ComRef<IUnknown> layout;
  hostObject(document_->get_PageLayout(layout.out()), layout);
  if (!layout_ || !sameObject(layout_->object(), layout.get())) {
    layout_ = std::make_unique<ComPageLayout>(layout.get(), *this);
  }
  return *layout_;
}

void ComDocument::refreshContentsView() {
  hostCall(document_->UpdateContents());
}

}  // namespace cw::com
