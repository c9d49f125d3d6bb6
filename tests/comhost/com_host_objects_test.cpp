// The stand-in host's COM objects as the module's host adapter reaches them inside one process:
// the application through the application reference class, the document's data frames, layers,
// bookmarks, extents and page layout, every call reaching the stand-in document and every
// reference given back.

#include <windows.h>
// After windows.h, which it needs before it.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/failure.h"
#include "host/host.h"
#include "hosts/com/com_application.h"
#include "hosts/comhost/com_host.h"
#include "hosts/standin/standin.h"

namespace cw::comhost {
namespace {

constexpr const char* kTown = R"({
  "dataFrames": [
    {"name": "Town", "extent": [0, 0, 100, 100],
     "layers": [{"name": "Roads"},
                {"name": "Land", "kind": "group", "layers": [{"name": "Parks", "visible": false}]},
                {"name": "Photo", "kind": "raster", "extent": [0, 0, 10, 10]}],
     "bookmarks": [{"name": "Old Town", "extent": [10, 10, 20, 20]},
                   {"name": "Quay", "extent": [30, 30, 40, 40]}]},
    {"name": "Inset", "extent": [0, 0, 1, 1]}],
  "layout": [{"kind": "legend", "dataFrame": 0, "bounds": [1, 1, 3, 4]},
             {"kind": "northArrow", "dataFrame": 1, "bounds": [5, 5, 6, 6]},
             {"kind": "text", "text": "Title", "bounds": [0, 10, 8, 11]}]
})";

// A stand-in application served through COM, and the module's adapter over it.
class ComHostObjects : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(::CoInitialize(nullptr)));
    served = std::make_unique<ComHost>(standin);
    ASSERT_EQ(served->registered(), S_OK);
    adapter = std::make_unique<com::ComApplication>();
  }
  void TearDown() override {
    adapter.reset();
    EXPECT_EQ(served->referencesHeld(), 0) << "every reference to the host's objects given back";
    EXPECT_EQ(EnvelopeObject::live(), 0) << "every envelope freed";
    served.reset();
    ::CoUninitialize();
  }

  standin::Document& document() { return standin.document(); }
  // The calls logged since the last look.
  std::vector<std::string> newCalls() {
    std::vector<std::string> calls = document().calls;
    document().calls.clear();
    return calls;
  }

  standin::Application standin{standin::loadDocument(kTown)};
  std::unique_ptr<ComHost> served;
  std::unique_ptr<com::ComApplication> adapter;
};

using Calls = std::vector<std::string>;

// The failure a call through the adapter ends in: its number and description.
struct Outcome {
  int number = 0;
  std::string description;
};
Outcome outcomeOf(const std::function<void()>& call) {
  try {
    call();
  } catch (const Failure& failure) {
    return {failure.number(), failure.description()};
  }
  return {};
}

TEST_F(ComHostObjects, TheApplicationReferenceReachesTheDocumentsDataFramesAndLayers) {
  host::HostDocument& reached = adapter->document();
  EXPECT_EQ(&adapter->document(), &reached) << "one document object, asked for twice";
  EXPECT_EQ(served->applicationInstancesMade(), 1);
  ASSERT_EQ(reached.queryDataFrameCount(), 2);
  EXPECT_EQ(reached.dataFrame(0).name(), "Town");
  EXPECT_EQ(reached.dataFrame(1).name(), "Inset");
  host::DataFrame& town = reached.dataFrame(0);
  ASSERT_EQ(town.queryLayerCount(), 3);
  EXPECT_EQ(newCalls(), (Calls{"dataFrameCount", "layerCount \"Town\""}));

  struct Expected {
    const char* name;
    bool feature, group, visible;
    int members;
  };
  const std::vector<Expected> layers = {{"Roads", true, false, true, 0},
                                        {"Land", false, true, true, 1},
                                        {"Photo", false, false, true, 0}};
  for (int i = 0; i < 3; ++i) {
    host::HostLayer& layer = town.layer(i);
    const Expected& expected = layers[i];
    EXPECT_EQ(layer.name(), expected.name);
    EXPECT_EQ(layer.isFeatureLayer(), expected.feature) << expected.name;
    EXPECT_EQ(layer.isGroupLayer(), expected.group) << expected.name;
    EXPECT_EQ(layer.visible(), expected.visible) << expected.name;
    if (expected.group) {
      EXPECT_EQ(layer.memberCount(), expected.members) << expected.name;
    }
  }
  host::HostLayer& parks = town.layer(1).member(0);
  EXPECT_EQ(parks.name(), "Parks");
  EXPECT_FALSE(parks.visible());
  parks.setVisible(true);
  EXPECT_TRUE(document().dataFrames[0]->layers[1]->members[0]->visible());
  EXPECT_EQ(newCalls(), (Calls{"setVisible \"Town\" \"Land/Parks\" true"}));
}

TEST_F(ComHostObjects, TheApplicationsDocumentIsAskedForAsItStands) {
  host::HostDocument& first = adapter->document();
  EXPECT_EQ(first.dataFrame(0).name(), "Town");

  standin.setDocument(standin::loadDocument(R"({"dataFrames": [{"name": "Harbour"}]})"));
  host::HostDocument& second = adapter->document();
  EXPECT_EQ(second.dataFrameCount(), 1);
  EXPECT_EQ(second.dataFrame(0).name(), "Harbour") << "another document, another object";

  standin.setDocument(nullptr);
  EXPECT_FALSE(adapter->hasDocument());
  EXPECT_EQ(outcomeOf([&] { adapter->document(); }).number, err::kObjectVariableNotSet);
  EXPECT_EQ(served->applicationInstancesMade(), 1);
}

TEST_F(ComHostObjects, ExtentsAreShownThroughEnvelopesOfTheHostsClassAndViewsRedrawn) {
  host::HostDocument& reached = adapter->document();
  host::DataFrame& town = reached.dataFrame(0);
  EXPECT_EQ(town.extent(), (host::Envelope{0, 0, 100, 100}));
  town.setExtent({1.5, 2, 3, 4.25});
  EXPECT_EQ(document().dataFrames[0]->extent(), (host::Envelope{1.5, 2, 3, 4.25}));
  EXPECT_EQ(town.extent(), (host::Envelope{1.5, 2, 3, 4.25}));
  town.invalidate(host::DrawPhase::kGeography, nullptr);
  reached.refreshContentsView();
  EXPECT_EQ(newCalls(), (Calls{"setExtent \"Town\" 1.5 2 3 4.25", "invalidate \"Town\" 2",
                               "refreshContentsView"}));

  EXPECT_FALSE(reached.activeView().isPageLayout());
  EXPECT_EQ(&reached.activeDataFrame(), &town) << "the active view is the focus data frame's";
  EXPECT_EQ(&reached.focusMap(), &town);
  document().setLayoutActive(true);
  EXPECT_TRUE(reached.activeView().isPageLayout());
  EXPECT_EQ(&reached.activeView(), &reached.pageLayout());
}

TEST_F(ComHostObjects, BookmarksAreWalkedInOrderAndAppliedToAnyDataFrame) {
  host::HostDocument& reached = adapter->document();
  host::DataFrame& town = reached.dataFrame(0);
  host::DataFrame& inset = reached.dataFrame(1);
  newCalls();
  town.restartBookmarks();
  std::vector<host::SpatialBookmark*> walked;
  while (host::SpatialBookmark* bookmark = town.nextBookmark()) walked.push_back(bookmark);
  ASSERT_EQ(walked.size(), 2u);
  EXPECT_EQ(walked[0]->name(), "Old Town");
  EXPECT_EQ(walked[1]->name(), "Quay");
  walked[1]->applyTo(inset);
  EXPECT_EQ(inset.extent(), (host::Envelope{30, 30, 40, 40}));
  EXPECT_EQ(newCalls(), (Calls{"restartBookmarks \"Town\"", "nextBookmark \"Town\" \"Old Town\"",
                               "nextBookmark \"Town\" \"Quay\"", "nextBookmark \"Town\" none",
                               "applyBookmark \"Quay\" \"Inset\""}));
  inset.restartBookmarks();
  EXPECT_EQ(inset.nextBookmark(), nullptr) << "a data frame without bookmarks";
}

TEST_F(ComHostObjects, ThePageLayoutsElementsTheirDataFramesAndTheLegend) {
  host::HostDocument& reached = adapter->document();
  host::PageLayout& layout = reached.pageLayout();
  layout.restartElements();
  std::vector<host::LayoutElement*> elements;
  while (host::LayoutElement* element = layout.nextElement()) elements.push_back(element);
  ASSERT_EQ(elements.size(), 3u);

  struct Expected {
    bool surround, legend;
    host::DataFrame* map;
    host::Envelope bounds;
  };
  const std::vector<Expected> expected = {{true, true, &reached.dataFrame(0), {1, 1, 3, 4}},
                                          {true, false, &reached.dataFrame(1), {5, 5, 6, 6}},
                                          {false, false, nullptr, {0, 10, 8, 11}}};
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(elements[i]->isMapSurroundFrame(), expected[i].surround) << "element " << i;
    EXPECT_EQ(elements[i]->isLegend(), expected[i].legend) << "element " << i;
    EXPECT_EQ(elements[i]->map(), expected[i].map) << "the document's own data frame, " << i;
    EXPECT_EQ(elements[i]->bounds(), expected[i].bounds) << "element " << i;
  }
  newCalls();
  host::LayoutElement& legend = *elements[0];
  layout.refreshLegend(legend);
  bool changed = true;
  layout.fitLegend(legend, {1, 1, 2.5, 3.5}, changed);
  layout.invalidate(host::DrawPhase::kGraphics, &legend);
  layout.setExtent({0, 0, 4, 4});
  EXPECT_EQ(layout.extent(), (host::Envelope{0, 0, 4, 4}));
  EXPECT_EQ(&layout.focusMap(), &reached.dataFrame(0));
  EXPECT_EQ(
      newCalls(),
      (Calls{"refreshLegend #0 legend \"Town\"", "fitLegend #0 legend \"Town\" 1 1 2.5 3.5",
             "invalidate layout 8 #0 legend \"Town\"", "setExtent layout 0 0 4 4", "focusMap"}));
  EXPECT_EQ(document().layout->elements[0]->fitCount, 1);
}

TEST_F(ComHostObjects, TheDocumentsFailuresReachTheCallerWithTheirDescriptions) {
  host::HostDocument& reached = adapter->document();
  struct Case {
    const char* what;
    std::function<void()> call;
    int number;
    const char* description;
  };
  const std::vector<Case> cases = {
      {"a host failure keeps its code",
       [&] {
         document().failNext("layerCount");
         reached.dataFrame(0).queryLayerCount();
       },
       static_cast<int>(E_FAIL), "Automation error"},
      {"a failure of the document's own as an automation error of its number",
       [&] {
         document().dataFrames.clear();
         reached.focusMap();
       },
       static_cast<int>(0x800A005B), "Object variable or With block variable not set"},
      {"a data frame out of range", [&] { reached.dataFrame(2); }, static_cast<int>(E_INVALIDARG),
       "Automation error"},
  };
  for (const Case& c : cases) {
    const Outcome outcome = outcomeOf(c.call);
    EXPECT_EQ(outcome.number, c.number) << c.what;
    EXPECT_EQ(outcome.description, c.description) << c.what;
  }
}

}  // namespace
}  // namespace cw::comhost
