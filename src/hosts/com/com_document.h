#pragma once

#include <memory>
#include <vector>

#include "host/host.h"
#include "hosts/com/com_ref.h"
#include "hosts/com/host_interfaces.h"

namespace cw::com {

class ComDataFrame;
class ComPageLayout;

// The host's map document as the system sees it, over the host's IMxDocument: its data frames
// are the document's maps, its active view a data frame or the page layout.
class ComDocument : public host::HostDocument {
 public:
  // Holds a reference of its own to `document`.
  explicit ComDocument(IMxDocument* document);
  ~ComDocument() override;

  IMxDocument* object() const { return document_.get(); }

  // The one object for the host data frame `map`.
  ComDataFrame& frameFor(IMap* map);

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
  // One object for each host data frame asked for, kept while the document is; the same for
  // the page layout.
  std::vector<std::unique_ptr<ComDataFrame>> frames_;
  std::unique_ptr<ComPageLayout> layout_;
};

}  // namespace cw::com
