#pragma once

namespace cw::host {

class DataFrame;
class HostView;
class PageLayout;

// The map document open in the host.
class HostDocument {
 public:
  virtual ~HostDocument() = default;
  // The data frames; 0-based, failing out of range.
  virtual int dataFrameCount() const = 0;
  virtual DataFrame& dataFrame(int index) = 0;
  // The data frame count asked as a call of its own, as the command's data check asks it: a
  // host may log it or fail it.
  virtual int queryDataFrameCount() = 0;
  // Fails without data frames.
  virtual DataFrame& focusMap() = 0;
  // The active view: the focus data frame's view or the page layout.
  virtual HostView& activeView() = 0;
  // The active view taken as a data frame; fails (type mismatch) with the page layout active.
  virtual DataFrame& activeDataFrame() = 0;
  virtual PageLayout& pageLayout() = 0;
  // A redraw of the table of contents.
  virtual void refreshContentsView() = 0;
};

}  // namespace cw::host
