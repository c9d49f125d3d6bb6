// Every member the module calls on the host's objects, called through the module's own
// declarations (hosts/com/host_interfaces.h) on objects of the stand-in's declarations (IDL of
// their own, com/slot_probe.h), must reach the member of the same name: a member the module
// declares in the wrong slot reaches another one, as it would in the host.

#include "com/slot_probe.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "hosts/com/host_interfaces.h"

namespace cw::com::testing {

namespace {

template <typename Declared>
using Calls = std::vector<std::pair<std::string, std::function<HRESULT(Declared&)>>>;

// Hands `probe` to the module's declaration of the interface it answers by the module's id,
// makes each call and checks the member it reached.
template <typename Declared, typename Probe>
void expectEachCallArrives(const char* interfaceName, const IID& moduleIid,
                           const Calls<Declared>& calls) {
  SCOPED_TRACE(interfaceName);
  Probe probe;
  void* asked = nullptr;
  ASSERT_EQ(probe.QueryInterface(moduleIid, &asked), S_OK)
      << "the module's interface id is not the host's";
  auto& declared = *static_cast<Declared*>(asked);
  for (const auto& [member, call] : calls) {
    probe.forget();
    call(declared);
    EXPECT_EQ(probe.arrived(), member) << "the module's " << member << " is another member's slot";
  }
}

// Out parameters the calls hand over; the probes write nothing.
template <typename T>
T* out() {
  static T value{};
  return &value;
}

TEST(SlotProbe, EveryMemberTheModuleCallsReachesTheMemberOfThatName) {
  using namespace ::cw::slotprobe;
  expectEachCallArrives<IApplication, ApplicationProbe>(
      "IApplication", kIidIApplication,
      {{"get_Document", [](IApplication& a) { return a.get_Document(out<IDispatch*>()); }},
       {"get_hWnd", [](IApplication& a) { return a.get_hWnd(out<OLE_HANDLE>()); }}});
  expectEachCallArrives<IMxDocument, MapDocumentProbe>(
      "IMxDocument", kIidIMxDocument,
      {{"get_PageLayout", [](IMxDocument& d) { return d.get_PageLayout(out<IUnknown*>()); }},
       {"get_ActiveView", [](IMxDocument& d) { return d.get_ActiveView(out<IActiveView*>()); }},
       {"get_FocusMap", [](IMxDocument& d) { return d.get_FocusMap(out<IMap*>()); }},
       {"UpdateContents", [](IMxDocument& d) { return d.UpdateContents(); }},
       {"get_Maps", [](IMxDocument& d) { return d.get_Maps(out<IMaps*>()); }}});
  expectEachCallArrives<IMaps, MapsProbe>(
      "IMaps", kIidIMaps,
      {{"get_Count", [](IMaps& m) { return m.get_Count(out<LONG>()); }},
       {"get_Item", [](IMaps& m) { return m.get_Item(0, out<IMap*>()); }}});
  expectEachCallArrives<IMap, MapProbe>(
      "IMap", kIidIMap,
      {{"get_Name", [](IMap& m) { return m.get_Name(out<BSTR>()); }},
       {"get_LayerCount", [](IMap& m) { return m.get_LayerCount(out<LONG>()); }},
       {"get_Layer", [](IMap& m) { return m.get_Layer(0, out<ILayer*>()); }}});
  expectEachCallArrives<IMapBookmarks, MapBookmarksProbe>(
      "IMapBookmarks", kIidIMapBookmarks, {{"get_Bookmarks", [](IMapBookmarks& b) {
                                              return b.get_Bookmarks(out<IEnumSpatialBookmark*>());
                                            }}});
  expectEachCallArrives<IEnumSpatialBookmark, BookmarkWalkProbe>(
      "IEnumSpatialBookmark", kIidIEnumSpatialBookmark,
      {{"Reset", [](IEnumSpatialBookmark& w) { return w.Reset(); }},
       {"Next", [](IEnumSpatialBookmark& w) { return w.Next(out<ISpatialBookmark*>()); }}});
  expectEachCallArrives<ISpatialBookmark, BookmarkProbe>(
      "ISpatialBookmark", kIidISpatialBookmark,
      {{"get_Name", [](ISpatialBookmark& b) { return b.get_Name(out<BSTR>()); }},
       {"ZoomTo", [](ISpatialBookmark& b) { return b.ZoomTo(nullptr); }}});
  expectEachCallArrives<ILayer, LayerProbe>(
      "ILayer", kIidILayer,
      {{"get_Name", [](ILayer& l) { return l.get_Name(out<BSTR>()); }},
       {"get_Visible", [](ILayer& l) { return l.get_Visible(out<VARIANT_BOOL>()); }},
       {"put_Visible", [](ILayer& l) { return l.put_Visible(VARIANT_TRUE); }}});
  expectEachCallArrives<ICompositeLayer, CompositeLayerProbe>(
      "ICompositeLayer", kIidICompositeLayer,
      {{"get_Count", [](ICompositeLayer& c) { return c.get_Count(out<LONG>()); }},
       {"get_Layer", [](ICompositeLayer& c) { return c.get_Layer(0, out<ILayer*>()); }}});
  expectEachCallArrives<IActiveView, ActiveViewProbe>(
      "IActiveView", kIidIActiveView,
      {{"get_Extent", [](IActiveView& v) { return v.get_Extent(out<IEnvelope*>()); }},
       {"put_Extent", [](IActiveView& v) { return v.put_Extent(nullptr); }},
       {"get_ScreenDisplay", [](IActiveView& v) { return v.get_ScreenDisplay(out<IUnknown*>()); }},
       {"get_FocusMap", [](IActiveView& v) { return v.get_FocusMap(out<IMap*>()); }},
       {"PartialRefresh", [](IActiveView& v) { return v.PartialRefresh(2, nullptr, nullptr); }}});
  expectEachCallArrives<IEnvelope, EnvelopeProbe>(
      "IEnvelope", kIidIEnvelope,
      {{"get_Envelope", [](IEnvelope& e) { return e.get_Envelope(out<IEnvelope*>()); }},
       {"get_XMin", [](IEnvelope& e) { return e.get_XMin(out<double>()); }},
       {"put_XMin", [](IEnvelope& e) { return e.put_XMin(1.5); }},
       {"get_YMin", [](IEnvelope& e) { return e.get_YMin(out<double>()); }},
       {"put_YMin", [](IEnvelope& e) { return e.put_YMin(1.5); }},
       {"get_XMax", [](IEnvelope& e) { return e.get_XMax(out<double>()); }},
       {"put_XMax", [](IEnvelope& e) { return e.put_XMax(1.5); }},
       {"get_YMax", [](IEnvelope& e) { return e.get_YMax(out<double>()); }},
       {"put_YMax", [](IEnvelope& e) { return e.put_YMax(1.5); }}});
  expectEachCallArrives<IElement, ElementProbe>(
      "IElement", kIidIElement,
      {{"get_Geometry", [](IElement& e) { return e.get_Geometry(out<IGeometry*>()); }}});
  expectEachCallArrives<IGraphicsContainer, GraphicsContainerProbe>(
      "IGraphicsContainer", kIidIGraphicsContainer,
      {{"Reset", [](IGraphicsContainer& g) { return g.Reset(); }},
       {"Next", [](IGraphicsContainer& g) { return g.Next(out<IElement*>()); }}});
  expectEachCallArrives<IMapSurroundFrame, SurroundFrameProbe>(
      "IMapSurroundFrame", kIidIMapSurroundFrame,
      {{"get_MapSurround",
        [](IMapSurroundFrame& f) { return f.get_MapSurround(out<IMapSurround*>()); }},
       {"get_MapFrame", [](IMapSurroundFrame& f) { return f.get_MapFrame(out<IMapFrame*>()); }}});
  expectEachCallArrives<IMapFrame, MapFrameProbe>(
      "IMapFrame", kIidIMapFrame,
      {{"get_Map", [](IMapFrame& f) { return f.get_Map(out<IMap*>()); }}});
  expectEachCallArrives<IMapSurround, SurroundProbe>(
      "IMapSurround", kIidIMapSurround,
      {{"Refresh", [](IMapSurround& s) { return s.Refresh(); }},
       {"FitToBounds",
        [](IMapSurround& s) { return s.FitToBounds(nullptr, nullptr, out<VARIANT_BOOL>()); }}});
}

}  // namespace

}  // namespace cw::com::testing
