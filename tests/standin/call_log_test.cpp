#include <gtest/gtest.h>

#include "base/failure.h"
#include "hosts/standin/standin.h"

namespace cw::standin {

using host::DrawPhase;
using host::Envelope;

namespace {

using Calls = std::vector<std::string>;

std::unique_ptr<Document> town() {
  return loadDocument(R"({"dataFrames": [
      {"name": "Main Map", "extent": [0, 0, 4, 3], "layers": [
           {"name": "Roads"},
           {"name": "Land", "kind": "group", "layers": [{"name": "Parks", "visible": false}]}],
       "bookmarks": [{"name": "Harbour", "extent": [1, 1, 2, 2]}]},
      {"name": "Overview", "extent": [0, 0, 10, 10]}],
    "layout": [{"kind": "mapFrame", "dataFrame": 0}, {"kind": "legend", "dataFrame": 0}]})");
}

TEST(CallLog, RecordsTheSystemsCallsInOrderWithShortestNumbers) {
  auto doc = town();
  DataFrame& map = doc->dataFrame(0);
  PageLayout& layout = *doc->layout;
  LayoutElement& legend = *layout.elements[1];
  bool changed = true;

  doc->focusMap().setExtent({-122.5, 37.25, -122, 37.75});
  doc->activeView().invalidate(DrawPhase::kGeography, nullptr);
  map.layer(0).setVisible(false);
  map.layer(1).member(0).setVisible(true);
  doc->refreshContentsView();
  doc->pageLayout().restartElements();
  layout.nextElement();
  layout.refreshLegend(legend);
  layout.fitLegend(legend, {0.5, 1, 2.25, 3}, changed);
  layout.invalidate(DrawPhase::kGraphics, &legend);
  layout.invalidate(DrawPhase::kGeography, nullptr);
  doc->activeDataFrame().restartBookmarks();
  map.nextBookmark()->applyTo(map);
  map.nextBookmark();

  EXPECT_EQ(doc->calls, (Calls{
                            "focusMap",
                            R"(setExtent "Main Map" -122.5 37.25 -122 37.75)",
                            "activeView",
                            R"(invalidate "Main Map" 2)",
                            R"(setVisible "Main Map" "Roads" false)",
                            R"(setVisible "Main Map" "Land/Parks" true)",
                            "refreshContentsView",
                            "pageLayout",
                            "restartElements",
                            R"(nextElement #0 mapFrame "Main Map")",
                            R"(refreshLegend #1 legend "Main Map")",
                            R"(fitLegend #1 legend "Main Map" 0.5 1 2.25 3)",
                            R"(invalidate layout 8 #1 legend "Main Map")",
                            "invalidate layout 2",
                            "activeDataFrame",
                            R"(restartBookmarks "Main Map")",
                            R"(nextBookmark "Main Map" "Harbour")",
                            R"(applyBookmark "Harbour" "Main Map")",
                            R"(nextBookmark "Main Map" none)",
                        }));
}

TEST(CallLog, CountsInvalidationsPerPhaseAndContentsRedraws) {
  auto doc = town();
  DataFrame& map = doc->dataFrame(0);
  map.invalidate(DrawPhase::kGeography, nullptr);
  doc->dataFrame(1).invalidate(DrawPhase::kGeography, nullptr);
  doc->layout->invalidate(DrawPhase::kGraphics, doc->layout->elements[1].get());
  doc->refreshContentsView();
  EXPECT_EQ(doc->mapInvalidations, 2);
  EXPECT_EQ(doc->graphicsInvalidations, 1);
  EXPECT_EQ(doc->tocRedraws, 1);
}

TEST(CallLog, FailNextFailsOnceTheFirstMatchingCallWithoutActing) {
  auto doc = town();
  DataFrame& map = doc->dataFrame(0);
  doc->failNext("setExtent \"Main Map\"");

  doc->dataFrame(1).setExtent({1, 1, 2, 2});  // another frame: no match
  try {
    map.setExtent({5, 5, 6, 6});
    FAIL() << "setExtent did not fail";
  } catch (const Failure& failure) {
    EXPECT_EQ(failure.number(), err::kHostFailure);
    EXPECT_EQ(failure.description(), "Automation error");
  }
  EXPECT_EQ(map.extent(), (Envelope{0, 0, 4, 3}));  // not acted on
  map.setExtent({5, 5, 6, 6});                      // one shot
  EXPECT_EQ(map.extent(), (Envelope{5, 5, 6, 6}));
  EXPECT_EQ(doc->calls, (Calls{R"(setExtent "Overview" 1 1 2 2)", R"(setExtent "Main Map" 5 5 6 6)",
                               R"(setExtent "Main Map" 5 5 6 6)"}));
}

TEST(CallLog, FailNextLeavesCountersAndVisibilityUntouched) {
  auto doc = town();
  Layer& roads = doc->dataFrame(0).layer(0);
  doc->failNext("setVisible");
  doc->failNext("invalidate");
  doc->failNext("refreshContentsView");
  EXPECT_THROW(roads.setVisible(false), Failure);
  EXPECT_THROW(doc->dataFrame(0).invalidate(DrawPhase::kGeography, nullptr), Failure);
  EXPECT_THROW(doc->refreshContentsView(), Failure);
  EXPECT_TRUE(roads.visible());
  EXPECT_EQ(doc->mapInvalidations, 0);
  EXPECT_EQ(doc->tocRedraws, 0);
  EXPECT_NO_THROW(doc->refreshContentsView());
}

TEST(CallLog, FailNextOnTheBookmarkWalkAndTheLegend) {
  auto doc = town();
  DataFrame& map = doc->dataFrame(0);
  LayoutElement& legend = *doc->layout->elements[1];
  map.restartBookmarks();
  doc->failNext("nextBookmark");
  EXPECT_THROW(map.nextBookmark(), Failure);
  EXPECT_EQ(map.nextBookmark()->name(), "Harbour");  // the failed call did not advance

  doc->failNext("refreshLegend");
  EXPECT_THROW(doc->layout->refreshLegend(legend), Failure);
  EXPECT_EQ(legend.refreshCount, 0);
}

TEST(Document, ActiveDataFrameWithTheLayoutActiveIsATypeMismatch) {
  auto doc = town();
  doc->setLayoutActive(true);
  try {
    doc->activeDataFrame();
    FAIL() << "activeDataFrame did not fail";
  } catch (const Failure& failure) {
    EXPECT_EQ(failure.number(), 13);
    EXPECT_EQ(failure.description(), "Type mismatch");
  }
  EXPECT_EQ(doc->calls, Calls{"activeDataFrame"});
  doc->setLayoutActive(false);
  EXPECT_EQ(&doc->activeDataFrame(), &doc->dataFrame(0));
}

TEST(Document, ListenersHearEveryChange) {
  auto doc = town();
  int heard = 0;
  doc->listeners.push_back([&] { ++heard; });
  doc->dataFrame(0).setExtent({0, 0, 1, 1});
  doc->dataFrame(0).layer(0).setVisible(false);
  doc->refreshContentsView();
  doc->setFocusMap(1);
  doc->setLayoutActive(true);
  EXPECT_EQ(heard, 5);
}

TEST(Document, WithoutDataFramesTheFocusIsNotSet) {
  auto doc = loadDocument(R"({"dataFrames": []})");
  EXPECT_EQ(doc->dataFrameCount(), 0);
  EXPECT_THROW(doc->focusMap(), Failure);
  EXPECT_THROW(doc->activeView(), Failure);
  EXPECT_THROW(doc->activeDataFrame(), Failure);
}

TEST(ShortestText, ShowsNumbersInTheirShortestExactForm) {
  EXPECT_EQ(shortestText(-122.5), "-122.5");
  EXPECT_EQ(shortestText(37.25), "37.25");
  EXPECT_EQ(shortestText(4200000), "4200000");
  EXPECT_EQ(shortestText(0.1), "0.1");
  EXPECT_EQ(shortestText(-0.0), "0");
  EXPECT_EQ(quotedName(R"(Say "hi")"), R"("Say \"hi\"")");
}

}  // namespace
}  // namespace cw::standin
