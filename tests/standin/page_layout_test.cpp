#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "base/failure.h"
#include "hosts/standin/standin.h"

namespace cw::standin {

using host::Envelope;

namespace {

// Two data frames of the same name: the layout's surrounds belong to one of them by identity.
std::unique_ptr<Document> twinFrames() {
  return loadDocument(R"({"dataFrames": [{"name": "Main Map"}, {"name": "Main Map"}],
    "layout": [{"kind": "text", "text": "Corbelwick"},
               {"kind": "mapFrame", "dataFrame": 0, "bounds": [0.5, 4, 8, 10]},
               {"kind": "legend", "dataFrame": 1, "bounds": [4, 0.5, 6, 3]},
               {"kind": "northArrow", "dataFrame": 0, "bounds": [7, 3, 7.5, 3.5]},
               {"kind": "legend", "dataFrame": 0, "bounds": [1, 1, 3, 3]}]})");
}

TEST(PageLayout, ElementWalkYieldsEveryElementInOrderThenNothing) {
  auto doc = twinFrames();
  PageLayout& layout = doc->pageLayout();
  std::vector<LayoutElement*> walked;
  layout.restartElements();
  while (LayoutElement* element = layout.nextElement()) walked.push_back(element);
  ASSERT_EQ(walked.size(), 5u);
  for (std::size_t i = 0; i < walked.size(); ++i) EXPECT_EQ(walked[i], layout.elements[i].get());
  EXPECT_EQ(layout.nextElement(), nullptr);

  layout.restartElements();
  EXPECT_EQ(layout.nextElement(), layout.elements[0].get());
}

TEST(PageLayout, SurroundsKnowTheirDataFrameByIdentity) {
  auto doc = twinFrames();
  const auto& e = doc->layout->elements;
  EXPECT_FALSE(e[0]->isMapSurroundFrame());
  EXPECT_FALSE(e[1]->isMapSurroundFrame());  // a map frame holds the map, it is no surround
  EXPECT_TRUE(e[2]->isMapSurroundFrame() && e[2]->isLegend());
  EXPECT_TRUE(e[3]->isMapSurroundFrame() && !e[3]->isLegend());
  EXPECT_EQ(e[2]->dataFrame, &doc->dataFrame(1));
  EXPECT_EQ(e[4]->dataFrame, &doc->dataFrame(0));
  EXPECT_EQ(e[4]->pageBounds, (Envelope{1, 1, 3, 3}));
  EXPECT_EQ(e[0]->text, "Corbelwick");
}

TEST(PageLayout, RefreshAndFitOfALegend) {
  auto doc = twinFrames();
  PageLayout& layout = *doc->layout;
  LayoutElement& legend = *layout.elements[4];
  bool changed = true;
  layout.fitLegend(legend, legend.pageBounds, changed);
  EXPECT_FALSE(changed);  // nothing to fit

  layout.refreshLegend(legend);
  changed = true;
  layout.fitLegend(legend, legend.pageBounds, changed);
  EXPECT_TRUE(changed);
  EXPECT_EQ(legend.refreshCount, 1);
  EXPECT_EQ(legend.fitCount, 2);

  changed = false;
  layout.fitLegend(legend, {1, 1, 4, 4}, changed);
  EXPECT_TRUE(changed);
  EXPECT_EQ(legend.pageBounds, (Envelope{1, 1, 4, 4}));
}

TEST(PageLayout, OnlyALegendRefreshesAndOnlySurroundsFit) {
  auto doc = twinFrames();
  PageLayout& layout = *doc->layout;
  bool changed = true;
  EXPECT_THROW(layout.refreshLegend(*layout.elements[3]), Failure);  // north arrow
  EXPECT_NO_THROW(layout.fitLegend(*layout.elements[3], {7, 3, 8, 4}, changed));
  try {
    layout.fitLegend(*layout.elements[0], {0, 0, 1, 1}, changed);
    FAIL() << "a text element was fitted";
  } catch (const Failure& failure) {
    EXPECT_EQ(failure.number(), err::kTypeMismatch);
  }
}

// The system hands back what the walk gave it; another layout's legend is none of this one's.
TEST(PageLayout, ALegendOfAnotherLayoutIsATypeMismatchAndLeftAlone) {
  auto doc = twinFrames();
  auto other = twinFrames();
  LayoutElement& foreign = *other->layout->elements[4];
  bool changed = false;
  for (const auto& call :
       std::vector<std::function<void()>>{[&] { doc->layout->refreshLegend(foreign); },
                                          [&] {
                                            doc->layout->fitLegend(foreign, {0, 0, 1, 1}, changed);
                                          }}) {
    try {
      call();
      ADD_FAILURE() << "another layout's legend was taken";
    } catch (const Failure& failure) {
      EXPECT_EQ(failure.number(), err::kTypeMismatch);
    }
  }
  EXPECT_EQ(doc->calls,
            (std::vector<std::string>{"refreshLegend object", "fitLegend object 0 0 1 1"}));
  EXPECT_EQ(foreign.refreshCount + foreign.fitCount, 0);
  EXPECT_EQ(foreign.pageBounds, (Envelope{1, 1, 3, 3}));
}

TEST(PageLayout, IsAPageLayoutViewOfThePage) {
  auto doc = twinFrames();
  PageLayout& layout = *doc->layout;
  EXPECT_TRUE(layout.isPageLayout());
  EXPECT_EQ(layout.extent(), (Envelope{0, 0, 8.5, 11}));
  layout.setExtent({1, 1, 5, 6});
  EXPECT_EQ(layout.extent(), (Envelope{1, 1, 5, 6}));
  EXPECT_EQ(doc->calls.back(), "setExtent layout 1 1 5 6");
  EXPECT_EQ(layout.describe(&doc->dataFrame(0)), "object");
  EXPECT_EQ(layout.indexOf(layout.elements[2].get()), 2);
}

}  // namespace
}  // namespace cw::standin
