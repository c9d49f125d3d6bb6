// The host adapter against a stand-in host inside the test process: the running application
// reached through the host's application reference class, its map document, data frames and
// layers, and host failures carried on with the host's own codes.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/failure.h"
#include "com/fake_host.h"
#include "host/host.h"
#include "hosts/com/com_application.h"

namespace cw::com::testing {
namespace {

// The stand-in host's objects, of the host's interfaces as its own IDL declares them.
using namespace ::cw::hostfake;

class HostAdapter : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(SUCCEEDED(::CoInitialize(nullptr))); }
  void TearDown() override { ::CoUninitialize(); }
};

// The failure a call ends in, or 0 when it succeeds; its description in `description`.
template <typename Call>
int failureOf(Call&& call, std::string* description = nullptr) {
  try {
    call();
  } catch (const Failure& failure) {
    if (description) *description = failure.description();
    return failure.number();
  }
  return 0;
}

TEST_F(HostAdapter, ReachesTheDocumentThroughTheApplicationReferenceEachTime) {
  FakeMap first(L"Town"), second(L"Inset");
  FakeMaps maps({&first, &second});
  FakeDocument document(&maps, true);
  FakeApplication application(&document);
  FakeAppRef appRef(&application);
  ASSERT_EQ(appRef.registered(), S_OK);
  {
    ComApplication host;
    host::HostDocument& first = host.document();
    EXPECT_EQ(first.dataFrameCount(), 2);
    EXPECT_EQ(first.queryDataFrameCount(), 2);
    EXPECT_EQ(appRef.instancesMade(), 1);

    host::HostDocument& again = host.document();
    EXPECT_EQ(appRef.instancesMade(), 1) << "the application reference is made once";
    EXPECT_EQ(&again, &first) << "the same host document keeps its object";
    EXPECT_TRUE(host.hasDocument());

    FakeMaps otherMaps({});
    FakeDocument other(&otherMaps, true);
    application.document_ = &other;
    EXPECT_NE(&host.document(), &first) << "another host document has an object of its own";
    EXPECT_EQ(host.document().dataFrameCount(), 0);
    EXPECT_EQ(application.references(), 2) << "and kept";
  }
  EXPECT_EQ(application.references(), 1) << "until the host object goes";
  EXPECT_EQ(document.references(), 1) << "every reference to the document is given back";
  EXPECT_EQ(maps.references(), 1);
}

TEST_F(HostAdapter, HostFailuresGoOnWithTheHostsCode) {
  struct Case {
    const char* what;
    HRESULT documentResult;
    bool isMapDocument;
    HRESULT mapsResult;
    int expected;
    const char* description;
  };
  const std::vector<Case> cases = {
      {"the application fails its document", E_FAIL, true, S_OK, static_cast<int>(E_FAIL),
       "Automation error"},
      {"the application hands out no document", S_FALSE, true, S_OK, err::kObjectVariableNotSet,
       "Object variable or With block variable not set"},
      {"the document is no map document", S_OK, false, S_OK, static_cast<int>(E_NOINTERFACE),
       "Automation error"},
      {"the document fails its maps, saying why", S_OK, true, E_ACCESSDENIED,
       static_cast<int>(E_ACCESSDENIED), "The document is being saved"},
  };
  for (const Case& c : cases) {
    FakeMap map(L"Town");
    FakeMaps maps({&map});
    FakeDocument document(&maps, c.isMapDocument);
    document.mapsResult = c.mapsResult;
    FakeApplication application(&document);
    application.documentResult = c.documentResult;
    FakeAppRef appRef(&application);
    ASSERT_EQ(appRef.registered(), S_OK);
    {
      ComApplication host;
      std::string description;
      EXPECT_EQ(failureOf([&] { host.document().dataFrameCount(); }, &description), c.expected)
          << c.what;
      EXPECT_EQ(description, c.description) << c.what;
    }
    EXPECT_EQ(document.references(), 1) << c.what;
    EXPECT_EQ(application.references(), 1) << c.what;
  }
}

// The document of a stand-in host with two data frames, the first without layers.
struct TwoFrames {
  FakeLayer member{L"Parcels", FakeLayer::Kind::kFeature};
  FakeLayer roads{L"Roads", FakeLayer::Kind::kFeature};
  FakeLayer base{L"Base", FakeLayer::Kind::kGroup, false};
  FakeLayer image{L"Orthophoto", FakeLayer::Kind::kOther};
  FakeMap empty{L"Empty"};
  FakeMap town{L"Town", {&roads, &base, &image}};
  FakeMaps maps{{&empty, &town}};
  FakeDocument document{&maps, true};
  FakeApplication application{&document};
  FakeAppRef appRef{&application};
  TwoFrames() { base.members = {&member}; }
};

TEST_F(HostAdapter, DataFramesAndTheirLayersAsTheHostHoldsThem) {
  TwoFrames host;
  ASSERT_EQ(host.appRef.registered(), S_OK);
  {
    ComApplication application;
    host::HostDocument& document = application.document();
    ASSERT_EQ(document.queryDataFrameCount(), 2);
    EXPECT_EQ(document.dataFrame(0).queryLayerCount(), 0);
    host::DataFrame& town = document.dataFrame(1);
    EXPECT_EQ(town.name(), "Town");
    ASSERT_EQ(town.layerCount(), 3);
    EXPECT_EQ(&document.dataFrame(1), &town) << "one object for one host data frame";
    EXPECT_EQ(&town.layer(0), &town.layer(0)) << "one object for one host layer";

    struct Kind {
      int index;
      const char* name;
      bool feature, group, visible;
    };
    const std::vector<Kind> kinds = {
        {0, "Roads", true, false, true},
        {1, "Base", false, true, false},
        {2, "Orthophoto", false, false, true},
    };
    for (const Kind& k : kinds) {
      host::HostLayer& layer = town.layer(k.index);
      EXPECT_EQ(layer.name(), k.name);
      EXPECT_EQ(layer.isFeatureLayer(), k.feature) << k.name;
      EXPECT_EQ(layer.isGroupLayer(), k.group) << k.name;
      EXPECT_EQ(layer.visible(), k.visible) << k.name;
    }

    host::HostLayer& base = town.layer(1);
    ASSERT_EQ(base.memberCount(), 1);
    EXPECT_EQ(base.member(0).name(), "Parcels");
    town.layer(0).setVisible(false);
    base.setVisible(true);
    EXPECT_FALSE(host.roads.isVisible());
    EXPECT_TRUE(host.base.isVisible());

    EXPECT_EQ(failureOf([&] { document.dataFrame(2); }), static_cast<int>(E_INVALIDARG));
    EXPECT_EQ(failureOf([&] { town.layer(0).memberCount(); }), static_cast<int>(E_NOINTERFACE))
        << "a layer that is no group has no members";
  }
  // What the adapter held it gives back with the application object.
  for (const auto* counted :
       std::vector<const FakeLayer*>{&host.member, &host.roads, &host.base, &host.image}) {
    EXPECT_EQ(counted->references(), 1);
  }
  EXPECT_EQ(host.town.references(), 1);
  EXPECT_EQ(host.empty.references(), 1);
  EXPECT_EQ(host.maps.references(), 1);
  EXPECT_EQ(host.document.references(), 1);
}

TEST_F(HostAdapter, ADataFramesBookmarksOneAfterAnotherAndAppliedToIt) {
  FakeBookmark north(L"North"), south(L"South");
  FakeMap town(L"Town", {}, {&north, &south});
  FakeMap inset(L"Inset", {}, {}, false);
  FakeMaps maps({&town, &inset});
  FakeDocument document(&maps, true);
  FakeApplication application(&document);
  FakeAppRef appRef(&application);
  ASSERT_EQ(appRef.registered(), S_OK);
  {
    ComApplication host;
    host::DataFrame& frame = host.document().dataFrame(0);
    EXPECT_EQ(failureOf([&] { frame.nextBookmark(); }), err::kObjectVariableNotSet)
        << "no walk before a restart";

    // The host's walk may stand anywhere when the system starts one.
    ::ISpatialBookmark* skipped = nullptr;
    town.walk().Next(&skipped);
    skipped->Release();
    frame.restartBookmarks();
    std::vector<std::string> names;
    while (host::SpatialBookmark* bookmark = frame.nextBookmark())
      names.push_back(bookmark->name());
    EXPECT_EQ(names, (std::vector<std::string>{"North", "South"}));
    EXPECT_EQ(frame.nextBookmark(), nullptr) << "still nothing after the last";

    frame.restartBookmarks();
    host::SpatialBookmark* first = frame.nextBookmark();
    ASSERT_NE(first, nullptr);
    first->applyTo(frame);
    ASSERT_EQ(north.zoomedTo.size(), 1u);
    EXPECT_EQ(north.zoomedTo[0], static_cast<::IMap*>(&town));

    EXPECT_EQ(failureOf([&] { host.document().dataFrame(1).restartBookmarks(); }),
              static_cast<int>(E_NOINTERFACE))
        << "a data frame that keeps no bookmarks";
  }
  EXPECT_EQ(north.references(), 1);
  EXPECT_EQ(south.references(), 1);
  EXPECT_EQ(town.walk().references(), 1);
  EXPECT_EQ(town.references(), 1);
}

TEST_F(HostAdapter, ADataFramesViewShowsANewEnvelopeOfTheHostsClass) {
  FakeMap town(L"Town");
  town.view().extent = FakeEnvelope(10, 20, 110, 220);
  FakeMaps maps({&town});
  FakeDocument document(&maps, true);
  FakeApplication application(&document);
  FakeAppRef appRef(&application);
  FakeEnvelopeClass envelopes;
  ASSERT_EQ(appRef.registered(), S_OK);
  ASSERT_EQ(envelopes.registered(), S_OK);
  {
    ComApplication host;
    host::DataFrame& frame = host.document().dataFrame(0);
    EXPECT_FALSE(frame.isPageLayout());
    EXPECT_EQ(&frame.focusMap(), &frame);
    EXPECT_EQ(frame.extent(), (host::Envelope{10, 20, 110, 220}));

    frame.setExtent(host::Envelope{-1.5, 2.25, 3.5, 4.75});
    ASSERT_EQ(town.view().shown.size(), 1u);
    const FakeEnvelope& shown = town.view().shown[0];
    EXPECT_EQ((host::Envelope{shown.xMin, shown.yMin, shown.xMax, shown.yMax}),
              (host::Envelope{-1.5, 2.25, 3.5, 4.75}));
    ASSERT_EQ(envelopes.made.size(), 1u) << "the extent shown is a new envelope of the host's";
    EXPECT_EQ(envelopes.made[0]->references(), 0) << "and not kept";

    frame.invalidate(host::DrawPhase::kGeography, nullptr);
    EXPECT_EQ(town.view().redrawn, (std::vector<LONG>{2})) << "the map contents, all of them";
  }
  EXPECT_EQ(town.view().extent.references(), 1);
  EXPECT_EQ(town.references(), 1);
}

// A document whose page layout holds a text, a legend and a north arrow of one data frame and a
// legend of another.
struct LayoutHost {
  FakeMap town{L"Town"};
  FakeMap inset{L"Inset"};
  FakeMaps maps{{&town, &inset}};
  FakeMapFrame townFrame{&town}, insetFrame{&inset};
  FakeSurround townLegend{true}, northArrow{false}, insetLegend{true};
  FakeElement title{FakeEnvelope(0, 0, 10, 1)};
  FakeElement legendOfTown{FakeEnvelope(1, 2, 3, 4), &townLegend, &townFrame};
  FakeElement arrowOfTown{FakeEnvelope(5, 5, 6, 6), &northArrow, &townFrame};
  FakeElement legendOfInset{FakeEnvelope(7, 7, 8, 8), &insetLegend, &insetFrame};
  FakePageLayout layout{{&title, &legendOfTown, &arrowOfTown, &legendOfInset}};
  FakeEnvelope screen;  // stands for the layout's display
  FakeDocument document{&maps, true};
  FakeApplication application{&document};
  FakeAppRef appRef{&application};
  FakeEnvelopeClass envelopes;
  LayoutHost() {
    layout.view().screenDisplay = &screen;
    layout.view().focusMap = &town;
    document.pageLayout = &layout;
    document.focusMap = &town;
    document.activeView = &layout.view();
  }
};

TEST_F(HostAdapter, ThePageLayoutsElementsAndTheLegendsOfItsDataFrames) {
  LayoutHost h;
  ASSERT_EQ(h.appRef.registered(), S_OK);
  ASSERT_EQ(h.envelopes.registered(), S_OK);
  {
    ComApplication host;
    host::HostDocument& document = host.document();
    host::DataFrame& town = document.dataFrame(0);
    host::DataFrame& inset = document.dataFrame(1);
    EXPECT_EQ(&document.focusMap(), &town);

    host::PageLayout& layout = document.pageLayout();
    EXPECT_TRUE(layout.isPageLayout());
    EXPECT_EQ(&document.activeView(), &layout) << "the layout is the active view";
    EXPECT_EQ(failureOf([&] { document.activeDataFrame(); }), err::kTypeMismatch);
    EXPECT_EQ(&layout.focusMap(), &town);

    struct Seen {
      bool surroundFrame, legend;
      host::DataFrame* map;
      host::Envelope bounds;
    };
    const std::vector<Seen> expected = {
        {false, false, nullptr, {0, 0, 10, 1}},
        {true, true, &town, {1, 2, 3, 4}},
        {true, false, &town, {5, 5, 6, 6}},
        {true, true, &inset, {7, 7, 8, 8}},
    };
    layout.restartElements();
    std::vector<host::LayoutElement*> elements;
    while (host::LayoutElement* element = layout.nextElement()) elements.push_back(element);
    ASSERT_EQ(elements.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
      EXPECT_EQ(elements[i]->isMapSurroundFrame(), expected[i].surroundFrame) << i;
      EXPECT_EQ(elements[i]->isLegend(), expected[i].legend) << i;
      EXPECT_EQ(elements[i]->map(), expected[i].map) << i << ": the very object of its data frame";
      EXPECT_EQ(elements[i]->bounds(), expected[i].bounds) << i;
    }
    layout.restartElements();
    EXPECT_EQ(layout.nextElement(), elements[0]) << "one object for one host element";

    host::LayoutElement& legend = *elements[1];
    layout.refreshLegend(legend);
    EXPECT_EQ(h.townLegend.refreshes, 1);
    EXPECT_EQ(failureOf([&] { layout.refreshLegend(*elements[2]); }), err::kTypeMismatch)
        << "a north arrow is no legend";
    EXPECT_EQ(failureOf([&] { layout.refreshLegend(*elements[0]); }), err::kTypeMismatch)
        << "a text is no map-surround frame";

    bool changed = true;
    layout.fitLegend(legend, legend.bounds(), changed);
    ASSERT_EQ(h.townLegend.fits.size(), 1u);
    const FakeSurround::Fit& fit = h.townLegend.fits[0];
    EXPECT_EQ(fit.display, static_cast<IUnknown*>(&h.screen)) << "on the layout's display";
    EXPECT_EQ((host::Envelope{fit.bounds.xMin, fit.bounds.yMin, fit.bounds.xMax, fit.bounds.yMax}),
              (host::Envelope{1, 2, 3, 4}));
    EXPECT_EQ(fit.changedIn, VARIANT_TRUE);
    EXPECT_FALSE(changed) << "the flag comes back as the host set it";

    layout.invalidate(host::DrawPhase::kGraphics, &legend);
    EXPECT_EQ(h.layout.view().redrawn, (std::vector<LONG>{8}));
    EXPECT_EQ(h.layout.view().redrawnObjects,
              (std::vector<IUnknown*>{static_cast<IUnknown*>(h.legendOfTown.asElement())}));

    h.document.activeView = &h.inset.view();
    EXPECT_EQ(&document.activeView(), &inset) << "a data frame as the active view";
    EXPECT_EQ(&document.activeDataFrame(), &inset);
  }
  for (const FakeElement* element : {&h.title, &h.legendOfTown, &h.arrowOfTown, &h.legendOfInset}) {
    EXPECT_EQ(element->references(), 1);
    EXPECT_EQ(element->boundsReferences(), 1);
  }
  EXPECT_EQ(h.townLegend.references(), 1);
  EXPECT_EQ(h.townFrame.references(), 1);
  EXPECT_EQ(h.layout.references(), 1);
  EXPECT_EQ(h.screen.references(), 1);
  EXPECT_EQ(h.town.references(), 1);
}

TEST_F(HostAdapter, OutsideTheHostThereIsNoApplicationToReach) {
  FakeMaps maps({});
  FakeDocument document(&maps, true);
  FakeApplication application(&document);
  ComApplication host;  // goes before the host objects it holds
  EXPECT_EQ(failureOf([&] { host.document(); }), static_cast<int>(REGDB_E_CLASSNOTREG));
  EXPECT_FALSE(host.hasDocument());

  // A failed creation is not kept: once the host serves its class, it is reached.
  FakeAppRef appRef(&application);
  ASSERT_EQ(appRef.registered(), S_OK);
  EXPECT_TRUE(host.hasDocument());
  EXPECT_EQ(host.document().dataFrameCount(), 0);
}

}  // namespace
}  // namespace cw::com::testing
