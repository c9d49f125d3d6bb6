#include <gtest/gtest.h>

#include "hosts/standin/standin.h"

namespace cw::standin {

using host::Envelope;

namespace {

int countLayers(const Layer& layer, LayerKind kind) {
  int count = layer.kind() == kind ? 1 : 0;
  for (const auto& member : layer.members) count += countLayers(*member, kind);
  return count;
}

TEST(SampleDocument, HoldsTheTownWithItsFramesBookmarksAndLayout) {
  auto doc = sampleDocument();
  ASSERT_EQ(doc->dataFrameCount(), 2);
  DataFrame& main = doc->dataFrame(0);
  DataFrame& overview = doc->dataFrame(1);
  EXPECT_EQ(main.name(), "Main Map");
  EXPECT_EQ(overview.name(), "Overview");
  // The town lies in UTM zone 10 north (NAD83), where its coordinates come from.
  EXPECT_EQ(main.crs, "EPSG:26910");
  EXPECT_EQ(overview.crs, "EPSG:26910");
  EXPECT_EQ(main.viewWidth, 800);
  EXPECT_EQ(main.viewHeight, 600);
  EXPECT_EQ(doc->focusIndex(), 0);
  EXPECT_FALSE(doc->layoutActive());

  std::vector<std::string> bookmarks;
  for (const auto& mark : main.bookmarks) bookmarks.push_back(mark->name());
  EXPECT_GE(bookmarks.size(), 3u);
  for (const char* name : {"Old Town", "Riverside Park", "Harbour"}) {
    EXPECT_NE(std::find(bookmarks.begin(), bookmarks.end(), name), bookmarks.end()) << name;
  }

  // A group holding feature layers and a raster; some layers start hidden.
  int groups = 0, rasters = 0, hidden = 0, features = 0;
  for (const auto& layer : main.layers) {
    groups += countLayers(*layer, LayerKind::kGroup);
    rasters += countLayers(*layer, LayerKind::kRaster);
    if (layer->isGroupLayer()) {
      for (const auto& member : layer->members) hidden += member->visible() ? 0 : 1;
    }
    hidden += layer->visible() ? 0 : 1;
    features += static_cast<int>(layer->features.size());
  }
  EXPECT_GE(groups, 1);
  EXPECT_GE(rasters, 1);
  EXPECT_GE(hidden, 1);
  EXPECT_GT(features, 20);

  // Map frames of both, legend and north arrow of Main Map, legend of Overview.
  auto has = [&](LayoutElement::Kind kind, DataFrame* map) {
    for (const auto& e : doc->layout->elements) {
      if (e->kind == kind && e->dataFrame == map) return true;
    }
    return false;
  };
  using K = LayoutElement::Kind;
  EXPECT_TRUE(has(K::kMapFrame, &main));
  EXPECT_TRUE(has(K::kMapFrame, &overview));
  EXPECT_TRUE(has(K::kLegend, &main));
  EXPECT_TRUE(has(K::kNorthArrow, &main));
  EXPECT_TRUE(has(K::kLegend, &overview));
}

TEST(SampleDocument, ExtentsAreInTheTownsProjectedMetres) {
  auto doc = sampleDocument();
  for (int i = 0; i < doc->dataFrameCount(); ++i) {
    Envelope e = doc->dataFrame(i).extent();
    EXPECT_LT(e.XMin, 500000);
    EXPECT_GT(e.XMax, 500000);
    EXPECT_LT(e.YMin, 4200000);
    EXPECT_GT(e.YMax, 4200000);
  }
  // The main view's stored extent is already in the view's proportions.
  DataFrame& main = doc->dataFrame(0);
  EXPECT_EQ(main.fitToView(main.extent()), main.extent());
}

TEST(SampleDocument, RoundTripsThroughSaveAndLoad) {
  auto doc = sampleDocument();
  const std::string saved = saveDocument(*doc);
  auto again = loadDocument(saved);
  EXPECT_EQ(saveDocument(*again), saved);
  EXPECT_EQ(again->dataFrame(0).layerCount(), doc->dataFrame(0).layerCount());
  EXPECT_EQ(again->layout->elements.size(), doc->layout->elements.size());
}

}  // namespace
}  // namespace cw::standin
