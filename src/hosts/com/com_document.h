#pragma once

#include <memory>
#include <vector>

#include "host/host.h"
#include "hosts/com/com_ref.h"
#include "hosts/com/host_interfaces.h"

namespace cw::com {

class ComDataFrame;

// The host's map document as the system sees it, over the host's IMxDocument: its data frames
// are the document's maps. What the system does not reach yet (views, the page layout) fails
// with a failure the caller's error trap reports.
class ComDocument : public host::HostDocument {
 public:
  // Holds a reference of its own to `document`.
  explicit ComDocument(IMxDocument* document);
  ~ComDocument() override;

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
  // One object for each host data frame asked for, kept while the document is.
  std::vector<std::unique_ptr<ComDataFrame>> frames_;
};

}  // namespace cw::com
