#pragma once

// The in-memory map document standing in for the GIS application's. It keeps a log of the
// calls the system makes, so tests can check their order, and can be told to fail a named call
// once (host failure code).

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "host/host_document.h"
#include "hosts/standin/data_frame.h"
#include "hosts/standin/page_layout.h"

namespace cw::standin {

class Document : public host::HostDocument {
 public:
  Document();
  ~Document() override;

  int dataFrameCount() const override;
  DataFrame& dataFrame(int index) override;
  int queryDataFrameCount() override;        // logged
  DataFrame& focusMap() override;            // logged
  int focusIndex() const { return focus_; }  // not logged, for front ends
  void setFocusMap(int index);
  host::HostView& activeView() override;
  DataFrame& activeDataFrame() override;
  bool layoutActive() const { return layoutActive_; }
  void setLayoutActive(bool active);
  PageLayout& pageLayout() override;
  void refreshContentsView() override;

  // Call log and counters.
  std::vector<std::string> calls;
  int mapInvalidations = 0;       // drawing phase 2
  int graphicsInvalidations = 0;  // drawing phase 8
  int tocRedraws = 0;
  void log(std::string call);
  // Logs one call of the system, then throws when failNext asked for it.
  void record(std::string call);
  // "Main Map" "Group/Member" for a layer of this document; ? "Name" for one outside it.
  std::string layerPath(const Layer& layer) const;
  // Makes the next call whose log entry starts with `prefix` fail with the host failure code.
  void failNext(std::string prefix);
  // Observers (front ends redraw on any change).
  std::vector<std::function<void()>> listeners;
  void changed();

  std::vector<std::unique_ptr<DataFrame>> dataFrames;
  std::unique_ptr<PageLayout> layout;

 private:
  void checkFailure(const std::string& call);
  std::vector<std::string> failures_;
  int focus_ = 0;
  bool layoutActive_ = false;
};

}  // namespace cw::standin
