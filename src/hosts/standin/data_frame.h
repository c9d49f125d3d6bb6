#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "host/data_frame.h"
#include "hosts/standin/layer.h"
#include "hosts/standin/spatial_bookmark.h"

namespace cw::standin {

class Document;

class DataFrame : public host::DataFrame {
 public:
  DataFrame(Document& document, std::string name);
  std::string name() const override;
  int layerCount() const override;
  Layer& layer(int index) override;
  int queryLayerCount() override;  // logged

  bool isPageLayout() const override { return false; }
  host::Envelope extent() const override;
  // Shows the extent; with a view size the extent is first widened to the view's proportions
  // around its centre, as a real map view does.
  void setExtent(const host::Envelope& extent) override;
  void invalidate(host::DrawPhase phase, const void* object) override;
  DataFrame& focusMap() override { return *this; }
  // The extent the view shows for a requested one (the widening of setExtent).
  host::Envelope fitToView(const host::Envelope& requested) const;
  Document& document() const { return document_; }

  void restartBookmarks() override;
  SpatialBookmark* nextBookmark() override;

  // Document data.
  std::vector<std::unique_ptr<Layer>> layers;
  std::vector<std::unique_ptr<SpatialBookmark>> bookmarks;
  // The reference system its extents are in, as the document names it ("EPSG:26910"); "" when
  // the document names none.
  std::string crs;
  int viewWidth = 0;  // pixels; 0 keeps extents as given
  int viewHeight = 0;
  void setExtentDirect(const host::Envelope& extent) { extent_ = extent; }  // no log, no widening

 private:
  Document& document_;
  std::string name_;
  host::Envelope extent_;
  std::size_t bookmarkCursor_ = 0;
};

}  // namespace cw::standin
