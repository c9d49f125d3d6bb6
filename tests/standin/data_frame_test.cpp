#include <gtest/gtest.h>

#include "base/failure.h"
#include "hosts/standin/standin.h"

namespace cw::standin {

using host::Envelope;

namespace {

std::unique_ptr<Document> townWithView(const char* viewSize) {
  std::string json = R"({"dataFrames": [{"name": "Main Map", "extent": [0, 0, 4, 3])";
  if (*viewSize) json += std::string(R"(, "viewSize": )") + viewSize;
  json += R"(, "bookmarks": [{"name": "Old Town", "extent": [10, 10, 12, 16]},
                             {"name": "Harbour", "extent": [0, 0, 8, 2]}]}]})";
  return loadDocument(json);
}

TEST(DataFrame, SetExtentWidensToTheViewProportionsAroundTheCentre) {
  struct Case {
    const char* what;
    const char* viewSize;
    Envelope requested;
    Envelope shown;
  };
  const Case cases[] = {
      {"tall request grows in width",
       "[800, 600]",
       {-122.5, 37.25, -122, 37.75},
       {-122.58333333333333, 37.25, -121.91666666666667, 37.75}},
      {"wide request grows in height", "[800, 600]", {0, 0, 8, 3}, {0, -1.5, 8, 4.5}},
      {"request in proportion stays", "[800, 600]", {100, 200, 500, 500}, {100, 200, 500, 500}},
      {"a line of no height still gets one", "[800, 600]", {0, 5, 4, 5}, {0, 3.5, 4, 6.5}},
      {"swapped corners are shown in order", "[800, 600]", {4, 3, 0, 0}, {0, 0, 4, 3}},
      {"a point stays as given", "[800, 600]", {7, 7, 7, 7}, {7, 7, 7, 7}},
      {"portrait view", "[300, 600]", {0, 0, 4, 4}, {0, -2, 4, 6}},
      {"without a view size the extent is kept", "", {0, 0, 8, 3}, {0, 0, 8, 3}},
      {"without a view size swapped corners stay", "", {4, 3, 0, 0}, {4, 3, 0, 0}},
  };
  for (const Case& c : cases) {
    auto doc = townWithView(c.viewSize);
    DataFrame& map = doc->dataFrame(0);
    map.setExtent(c.requested);
    Envelope e = map.extent();
    EXPECT_DOUBLE_EQ(e.XMin, c.shown.XMin) << c.what;
    EXPECT_DOUBLE_EQ(e.YMin, c.shown.YMin) << c.what;
    EXPECT_DOUBLE_EQ(e.XMax, c.shown.XMax) << c.what;
    EXPECT_DOUBLE_EQ(e.YMax, c.shown.YMax) << c.what;
  }
}

TEST(DataFrame, WideningNeverNarrowsTheRequest) {
  auto doc = townWithView("[800, 600]");
  DataFrame& map = doc->dataFrame(0);
  for (Envelope requested : {Envelope{0, 0, 1, 9}, Envelope{0, 0, 9, 1}, Envelope{-3, -3, 3, 3}}) {
    map.setExtent(requested);
    Envelope e = map.extent();
    EXPECT_LE(e.XMin, requested.XMin);
    EXPECT_LE(e.YMin, requested.YMin);
    EXPECT_GE(e.XMax, requested.XMax);
    EXPECT_GE(e.YMax, requested.YMax);
    EXPECT_NEAR((e.XMax - e.XMin) / (e.YMax - e.YMin), 800.0 / 600.0, 1e-12);
  }
}

TEST(SpatialBookmark, ApplyToSetsTheFrameExtentThroughTheWidening) {
  auto doc = townWithView("[800, 600]");
  DataFrame& map = doc->dataFrame(0);
  map.restartBookmarks();
  SpatialBookmark* oldTown = map.nextBookmark();
  ASSERT_NE(oldTown, nullptr);
  doc->calls.clear();

  oldTown->applyTo(map);

  EXPECT_EQ(map.extent(), (Envelope{7, 10, 15, 16}));
  EXPECT_EQ(oldTown->extent(), (Envelope{10, 10, 12, 16}));  // the bookmark keeps its own
  EXPECT_EQ(doc->calls, std::vector<std::string>{R"(applyBookmark "Old Town" "Main Map")"});
}

TEST(SpatialBookmark, ApplyToWithoutViewSizeKeepsTheStoredExtent) {
  auto doc = townWithView("");
  DataFrame& map = doc->dataFrame(0);
  map.bookmarks[1]->applyTo(map);
  EXPECT_EQ(map.extent(), (Envelope{0, 0, 8, 2}));
}

TEST(DataFrame, BookmarkEnumerationYieldsInOrderThenNothingAndRestarts) {
  auto doc = townWithView("");
  DataFrame& map = doc->dataFrame(0);
  map.restartBookmarks();
  EXPECT_EQ(map.nextBookmark()->name(), "Old Town");
  EXPECT_EQ(map.nextBookmark()->name(), "Harbour");
  EXPECT_EQ(map.nextBookmark(), nullptr);
  EXPECT_EQ(map.nextBookmark(), nullptr);  // stays at the end
  map.restartBookmarks();
  EXPECT_EQ(map.nextBookmark()->name(), "Old Town");

  auto empty = loadDocument(R"({"dataFrames": [{"name": "Blank"}]})");
  empty->dataFrame(0).restartBookmarks();
  EXPECT_EQ(empty->dataFrame(0).nextBookmark(), nullptr);
}

TEST(Document, IndexOutOfRangeFailsWithSubscriptOutOfRange) {
  auto doc = loadDocument(R"({"dataFrames": [{"name": "Main Map", "layers": [
      {"name": "Land", "kind": "group", "layers": [{"name": "Parks"}]},
      {"name": "Roads"}]}]})");
  DataFrame& map = doc->dataFrame(0);
  Layer& roads = map.layer(1);
  const std::vector<std::pair<const char*, std::function<void()>>> calls = {
      {"dataFrame(-1)", [&] { doc->dataFrame(-1); }},
      {"dataFrame(1)", [&] { doc->dataFrame(1); }},
      {"layer(2)", [&] { map.layer(2); }},
      {"member(1)", [&] { map.layer(0).member(1); }},
      {"member of a feature layer", [&] { roads.member(0); }},
      {"setFocusMap(3)", [&] { doc->setFocusMap(3); }},
  };
  for (const auto& [what, call] : calls) {
    try {
      call();
      ADD_FAILURE() << what << " did not fail";
    } catch (const Failure& failure) {
      EXPECT_EQ(failure.number(), 9) << what;
      EXPECT_EQ(failure.description(), "Subscript out of range") << what;
    }
  }
}

TEST(Layer, KindTestsAndMembers) {
  auto doc = loadDocument(R"({"dataFrames": [{"name": "Main Map", "layers": [
      {"name": "Land", "kind": "group", "layers": [
          {"name": "Parks"}, {"name": "Hillshade", "kind": "raster"},
          {"name": "Heritage", "kind": "group", "layers": [{"name": "Listed"}]}]},
      {"name": "Notes", "kind": "other"}]}]})");
  Layer& land = doc->dataFrame(0).layer(0);
  EXPECT_TRUE(land.isGroupLayer());
  EXPECT_FALSE(land.isFeatureLayer());
  ASSERT_EQ(land.memberCount(), 3);
  EXPECT_TRUE(land.member(0).isFeatureLayer());
  EXPECT_FALSE(land.member(1).isFeatureLayer());
  EXPECT_FALSE(land.member(1).isGroupLayer());
  EXPECT_TRUE(land.member(2).isGroupLayer());
  EXPECT_EQ(land.member(2).member(0).name(), "Listed");
  Layer& notes = doc->dataFrame(0).layer(1);
  EXPECT_FALSE(notes.isFeatureLayer());
  EXPECT_FALSE(notes.isGroupLayer());
  EXPECT_EQ(notes.memberCount(), 0);
}

TEST(Document, ActiveViewIsTheFocusFrameOrTheLayoutAndNoDataFrameIsALayout) {
  auto doc = loadDocument(R"({"dataFrames": [{"name": "Main Map"}, {"name": "Overview"}],
                              "focus": 1})");
  EXPECT_EQ(&doc->activeView(), &doc->dataFrame(1));
  EXPECT_EQ(&doc->focusMap(), &doc->dataFrame(1));
  EXPECT_FALSE(doc->dataFrame(0).isPageLayout());
  EXPECT_EQ(&doc->dataFrame(0).focusMap(), &doc->dataFrame(0));
  doc->setLayoutActive(true);
  EXPECT_EQ(&doc->activeView(), doc->layout.get());
  EXPECT_TRUE(doc->activeView().isPageLayout());
  EXPECT_EQ(&doc->activeView().focusMap(), &doc->dataFrame(1));
}

}  // namespace
}  // namespace cw::standin
