#pragma once

#include "host/host.h"
#include "hosts/com/com_ref.h"
#include "hosts/com/host_interfaces.h"

namespace cw::com {

// The host's map document as the system sees it, over the host's IMxDocument: its data frames
// are the document's maps. What needs the map's own interface fails until it is declared.
class ComDocument : public host::HostDocument {
 public:
  // Holds a reference of its own to `document`.
  explicit ComDocument(IMxDocument* document);

  IMxDocument* object() const { return document_.get(); }

  int dataFrameCount() const override;
  host::DataFrame& dataFrame(int index) override;
  int queryDataFrameCount() override { return dataFrameCount(); }
  host::DataFrame& focusMap() override;
  host::HostView& activeView() override;
  host::DataFrame& activeDataFrame() override;
  host::PageLayout& pageLayout() override;
  void refreshContentsView() override;

 private:
  ComRef<IMxDocument> document_;
};

}  // namespace cw::com
