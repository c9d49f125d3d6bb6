#include "hosts/com/com_document.h"

#include <string>

#include "errors/failure.h"
#include "hosts/com/com_data_frame.h"
#include "hosts/com/host_call.h"
#include "hosts/com/wrapper_cache.h"

namespace cw::com {

namespace {

[[noreturn]] void notYetReached(const char* what) {
  throw Failure(err::kInternalError, std::string(what) + " of the host is not reached yet");
}

}  // namespace

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
  return wrapperFor(frames_, map.get());
}

host::DataFrame& ComDocument::focusMap() {
  notYetReached("The focus map");
}

host::HostView& ComDocument::activeView() {
  notYetReached("The active view");
}

host::DataFrame& ComDocument::activeDataFrame() {
  notYetReached("The active view");
}

host::PageLayout& ComDocument::pageLayout() {
  notYetReached("The page layout");
}

void ComDocument::refreshContentsView() {
  hostCall(document_->UpdateContents());
}

}  // namespace cw::com
