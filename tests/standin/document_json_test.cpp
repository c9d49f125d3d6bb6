#include <gtest/gtest.h>

#include "base/failure.h"
#include "hosts/standin/standin.h"

namespace cw::standin {

using host::Envelope;

namespace {

using Type = Geometry::Type;
using Path = std::vector<std::pair<double, double>>;

TEST(LoadDocument, ReadsFramesLayersBookmarksAndTheLayout) {
  auto doc = loadDocument(R"({
    "dataFrames": [
      {"name": "Main Map", "crs": "EPSG:4326", "extent": [-122.5, 37.25, -122, 37.75],
       "viewSize": [800, 600], "layers": [
         {"name": "Roads", "kind": "feature", "visible": true, "color": "#aa5500", "features": []},
         {"name": "Landmarks", "kind": "group", "visible": true, "layers": [
           {"name": "Parks", "visible": false},
           {"name": "Hillshade", "kind": "raster", "visible": false, "extent": [0, 0, 9, 9]}]},
         {"name": "Notes", "kind": "other", "visible": false}],
       "bookmarks": [{"name": "Downtown", "extent": [-122.45, 37.7, -122.4, 37.8]}]},
      {"name": "Overview"}],
    "focus": 1, "activeView": "layout", "page": [0, 0, 11, 8.5],
    "layout": [{"kind": "legend", "dataFrame": 0, "bounds": [1, 1, 3, 4]},
               {"kind": "northArrow", "dataFrame": 1},
               {"kind": "scaleBar", "dataFrame": 0},
               {"kind": "text", "text": "Corbelwick"},
               {"kind": "mapFrame", "dataFrame": 1, "bounds": [0, 0, 5, 5]}]})");

  ASSERT_EQ(doc->dataFrameCount(), 2);
  DataFrame& map = doc->dataFrame(0);
  EXPECT_EQ(map.name(), "Main Map");
  EXPECT_EQ(map.extent(), (Envelope{-122.5, 37.25, -122, 37.75}));  // kept as stored
  EXPECT_EQ(map.crs, "EPSG:4326");
  EXPECT_EQ(doc->dataFrame(1).crs, "");  // a frame may name no reference system
  EXPECT_EQ(map.viewWidth, 800);
  EXPECT_EQ(map.viewHeight, 600);
  ASSERT_EQ(map.layerCount(), 3);
  EXPECT_EQ(map.layer(0).color, "#aa5500");
  EXPECT_EQ(map.layer(0).kind(), LayerKind::kFeature);
  EXPECT_EQ(map.layer(1).kind(), LayerKind::kGroup);
  EXPECT_FALSE(map.layer(1).member(0).visible());
  EXPECT_EQ(map.layer(1).member(0).kind(), LayerKind::kFeature);  // the default kind
  EXPECT_EQ(map.layer(1).member(1).kind(), LayerKind::kRaster);
  EXPECT_EQ(map.layer(1).member(1).coverage, (Envelope{0, 0, 9, 9}));
  EXPECT_EQ(map.layer(2).kind(), LayerKind::kOther);
  ASSERT_EQ(map.bookmarks.size(), 1u);
  EXPECT_EQ(map.bookmarks[0]->name(), "Downtown");
  EXPECT_EQ(map.bookmarks[0]->extent(), (Envelope{-122.45, 37.7, -122.4, 37.8}));
  EXPECT_EQ(doc->dataFrame(1).viewWidth, 0);

  EXPECT_EQ(doc->focusIndex(), 1);
  EXPECT_TRUE(doc->layoutActive());
  EXPECT_EQ(doc->layout->page, (Envelope{0, 0, 11, 8.5}));
  const auto& e = doc->layout->elements;
  ASSERT_EQ(e.size(), 5u);
  EXPECT_EQ(e[0]->kind, LayoutElement::Kind::kLegend);
  EXPECT_EQ(e[0]->dataFrame, &map);
  EXPECT_EQ(e[0]->pageBounds, (Envelope{1, 1, 3, 4}));
  EXPECT_EQ(e[1]->kind, LayoutElement::Kind::kNorthArrow);
  EXPECT_EQ(e[1]->dataFrame, &doc->dataFrame(1));
  EXPECT_EQ(e[2]->kind, LayoutElement::Kind::kScaleBar);
  EXPECT_EQ(e[3]->kind, LayoutElement::Kind::kText);
  EXPECT_EQ(e[3]->dataFrame, nullptr);
  EXPECT_EQ(e[3]->text, "Corbelwick");
  EXPECT_EQ(e[4]->kind, LayoutElement::Kind::kMapFrame);
}

TEST(LoadDocument, ReadsEachGeoJsonGeometryWithItsLabel) {
  auto doc = loadDocument(R"({"dataFrames": [{"name": "Main Map", "layers": [{"name": "All",
    "features": [
      {"type": "Feature", "properties": {"name": "Town Hall"},
       "geometry": {"type": "Point", "coordinates": [500130, 4200140]}},
      {"type": "Feature", "geometry": {"type": "LineString", "coordinates": [[0, 0], [1, 2]]}},
      {"type": "Feature", "properties": null, "geometry": {"type": "Polygon",
       "coordinates": [[[0, 0], [4, 0], [4, 4], [0, 0]], [[1, 1], [2, 1], [2, 2], [1, 1]]]}},
      {"type": "Feature", "properties": {"name": "Almshouses", "built": 1790},
       "geometry": {"type": "MultiPoint", "coordinates": [[1, 1], [2, 2, 30]]}},
      {"type": "Feature", "geometry": {"type": "MultiLineString",
       "coordinates": [[[0, 0], [1, 0]], [[0, 1], [1, 1]]]}},
      {"type": "Feature", "geometry": {"type": "MultiPolygon", "coordinates": [
       [[[0, 0], [1, 0], [1, 1], [0, 0]]],
       [[[5, 5], [9, 5], [9, 9], [5, 5]], [[6, 6], [7, 6], [7, 7], [6, 6]]]]}}]}]}]})");
  const auto& f = doc->dataFrame(0).layer(0).features;
  ASSERT_EQ(f.size(), 6u);
  EXPECT_EQ(f[0].label, "Town Hall");
  EXPECT_EQ(f[0].geometry.type, Type::kPoint);
  EXPECT_EQ(f[0].geometry.paths, (std::vector<Path>{{{500130, 4200140}}}));
  EXPECT_EQ(f[1].label, "");
  EXPECT_EQ(f[1].geometry.type, Type::kLineString);
  EXPECT_EQ(f[1].geometry.paths, (std::vector<Path>{{{0, 0}, {1, 2}}}));
  EXPECT_EQ(f[2].geometry.type, Type::kPolygon);
  EXPECT_EQ(f[2].geometry.paths.size(), 2u);  // outer ring and hole
  EXPECT_EQ(f[3].label, "Almshouses");
  EXPECT_EQ(f[3].geometry.type, Type::kMultiPoint);
  EXPECT_EQ(f[3].geometry.paths, (std::vector<Path>{{{1, 1}, {2, 2}}}));
  EXPECT_EQ(f[4].geometry.type, Type::kMultiLineString);
  EXPECT_EQ(f[4].geometry.paths.size(), 2u);
  EXPECT_EQ(f[5].geometry.type, Type::kMultiPolygon);
  EXPECT_EQ(f[5].geometry.paths.size(), 3u);
  EXPECT_EQ(f[5].geometry.parts, (std::vector<int>{0, 1, 1}));

  // Without an extent of its own the frame shows all of its features.
  EXPECT_EQ(doc->dataFrame(0).extent(), (Envelope{0, 0, 500130, 4200140}));
}

TEST(LoadDocument, DefaultsForAMinimalDocument) {
  auto doc =
      loadDocument(R"({"dataFrames": [{"name": "Main Map", "layers": [{"name": "Roads"}]}]})");
  EXPECT_EQ(doc->focusIndex(), 0);
  EXPECT_FALSE(doc->layoutActive());
  EXPECT_TRUE(doc->dataFrame(0).layer(0).visible());
  EXPECT_TRUE(doc->dataFrame(0).layer(0).isFeatureLayer());
  EXPECT_EQ(doc->dataFrame(0).extent(), (Envelope{0, 0, 0, 0}));
  EXPECT_TRUE(doc->layout->elements.empty());
}

TEST(LoadDocument, BadDocumentsFailSayingWhatIsWrong) {
  struct Case {
    const char* json;
    const char* says;
  };
  const Case cases[] = {
      {"", "not JSON"},
      {R"({"dataFrames": [)", "not JSON"},
      {"[]", "expected an object"},
      {"{}", "missing \"dataFrames\""},
      {R"({"dataFrames": {}})", "dataFrames: expected an array"},
      {R"({"dataframes": []})", "unknown key \"dataframes\""},
      {R"({"dataFrames": [{}]})", "dataFrames[0]: missing \"name\""},
      {R"({"dataFrames": [{"name": 7}]})", "dataFrames[0].name: expected a text"},
      {R"({"dataFrames": [{"name": "M", "extent": [0, 0, 1]}]})",
       "dataFrames[0].extent: expected [xmin, ymin, xmax, ymax]"},
      {R"({"dataFrames": [{"name": "M", "extent": [0, "0", 1, 1]}]})",
       "dataFrames[0].extent[1]: expected a number"},
      {R"({"dataFrames": [{"name": "M", "crs": 26910}]})", "dataFrames[0].crs: expected a text"},
      {R"({"dataFrames": [{"name": "M", "crs": ""}]})",
       "dataFrames[0].crs: a reference system is not empty"},
      {R"({"dataFrames": [{"name": "M", "viewSize": [800, 0]}]})",
       "dataFrames[0].viewSize: a view is not empty"},
      {R"({"dataFrames": [{"name": "M", "viewSize": [800.5, 600]}]})",
       "dataFrames[0].viewSize[0]: expected an index"},
      {R"({"dataFrames": [{"name": "M", "layers": [{"name": "R", "kind": "vector"}]}]})",
       "dataFrames[0].layers[0].kind: unknown layer kind \"vector\""},
      {R"({"dataFrames": [{"name": "M", "layers": [{"name": "R", "visble": true}]}]})",
       "dataFrames[0].layers[0]: unknown key \"visble\""},
      {R"({"dataFrames": [{"name": "M", "layers": [{"name": "R", "visible": "yes"}]}]})",
       "dataFrames[0].layers[0].visible: expected true or false"},
      {R"({"dataFrames": [{"name": "M", "layers": [{"name": "R", "color": "red"}]}]})",
       "dataFrames[0].layers[0].color: expected a colour as #rrggbb"},
      {R"({"dataFrames": [{"name": "M", "layers": [{"name": "R", "layers": []}]}]})",
       "dataFrames[0].layers[0].layers: only a group layer holds layers"},
      {R"({"dataFrames": [{"name": "M", "layers": [{"name": "G", "kind": "group",
           "features": []}]}]})",
       "dataFrames[0].layers[0].features: only a feature layer has features"},
      {R"({"dataFrames": [{"name": "M", "layers": [{"name": "R", "features": [
           {"type": "Feature", "geometry": {"type": "Circle", "coordinates": [0, 0]}}]}]}]})",
       "features[0].geometry.type: unknown geometry type \"Circle\""},
      {R"({"dataFrames": [{"name": "M", "layers": [{"name": "R", "features": [
           {"type": "Feature", "geometry": {"type": "LineString", "coordinates": [[0, 0]]}}]}]}]})",
       "features[0].geometry.coordinates: a line needs 2 or more positions"},
      {R"({"dataFrames": [{"name": "M", "layers": [{"name": "R", "features": [
           {"type": "Feature", "geometry": {"type": "Point", "coordinates": [0]}}]}]}]})",
       "features[0].geometry.coordinates: expected [x, y]"},
      {R"({"dataFrames": [{"name": "M", "layers": [{"name": "R", "features": [
           {"type": "Feature", "geometry": null}]}]}]})",
       "features[0].geometry: a feature needs a geometry"},
      {R"({"dataFrames": [{"name": "M", "layers": [{"name": "R", "features": [
           {"type": "Point", "coordinates": [0, 0]}]}]}]})",
       "features[0].type: expected \"Feature\""},
      {R"({"dataFrames": [{"name": "M", "layers": [{"name": "R", "features": [
           {"type": "Feature", "properties": {"name": 5},
            "geometry": {"type": "Point", "coordinates": [0, 0]}}]}]}]})",
       "features[0].properties.name: expected a text"},
      {R"({"dataFrames": [{"name": "M", "bookmarks": [{"name": "B"}]}]})",
       "dataFrames[0].bookmarks[0]: missing \"extent\""},
      {R"({"dataFrames": [{"name": "M"}], "focus": 1})", "focus: 1 is not a data frame"},
      {R"({"dataFrames": [{"name": "M"}], "focus": -1})", "focus: expected an index"},
      {R"({"dataFrames": [{"name": "M"}], "activeView": "page"})",
       "activeView: expected \"map\" or \"layout\""},
      {R"({"dataFrames": [{"name": "M"}], "layout": [{"kind": "legend"}]})",
       "layout[0]: missing \"dataFrame\""},
      {R"({"dataFrames": [{"name": "M"}], "layout": [{"kind": "legend", "dataFrame": 1}]})",
       "layout[0].dataFrame: 1 is not a data frame"},
      {R"({"dataFrames": [{"name": "M"}], "layout": [{"kind": "text"}]})",
       "layout[0]: missing \"text\""},
      {R"({"dataFrames": [{"name": "M"}], "layout": [{"kind": "text", "text": "T",
           "dataFrame": 0}]})",
       "layout[0].dataFrame: a text element belongs to no data frame"},
      {R"({"dataFrames": [{"name": "M"}], "layout": [{"kind": "compass", "dataFrame": 0}]})",
       "layout[0].kind: unknown element kind \"compass\""},
      {R"({"dataFrames": [{"name": "M", "extent": [0, 0, 1e400, 1]}]})", "not JSON"},
  };
  for (const Case& c : cases) {
    try {
      loadDocument(c.json);
      ADD_FAILURE() << "loaded: " << c.json;
    } catch (const Failure& failure) {
      EXPECT_NE(failure.description().find(c.says), std::string::npos)
          << "description: " << failure.description() << "\nexpected: " << c.says;
      EXPECT_EQ(failure.description().rfind("Map document: ", 0), 0u) << failure.description();
    }
  }
}

TEST(LoadDocument, DeeplyNestedGroupsFailInsteadOfExhaustingTheStack) {
  std::string json = R"({"dataFrames": [{"name": "M", "layers": [)";
  for (int i = 0; i < 10000; ++i) json += R"({"name": "G", "kind": "group", "layers": [)";
  for (int i = 0; i < 10000; ++i) json += "]}";
  json += "]}]}";
  EXPECT_THROW(loadDocument(json), Failure);
}

TEST(SaveDocument, WritesTheDocumentAsItStandsAndReadsBack) {
  auto doc = loadDocument(R"({"dataFrames": [
      {"name": "Main Map", "extent": [0, 0, 4, 3], "viewSize": [800, 600], "layers": [
         {"name": "Roads", "color": "#aa5500", "features": [
           {"type": "Feature", "properties": {"name": "High Street"},
            "geometry": {"type": "LineString", "coordinates": [[0.5, 0], [1, 2]]}},
           {"type": "Feature", "geometry": {"type": "MultiPolygon", "coordinates": [
            [[[0, 0], [1, 0], [1, 1], [0, 0]]],
            [[[5, 5], [9, 5], [9, 9], [5, 5]], [[6, 6], [7, 6], [7, 7], [6, 6]]]]}}]},
         {"name": "Land", "kind": "group", "layers": [
           {"name": "Hillshade", "kind": "raster", "visible": false, "extent": [0, 0, 9, 9]}]}],
       "bookmarks": [{"name": "Say \"cheese\"", "extent": [1, 1, 2, 2]}]},
      {"name": "Overview", "crs": "EPSG:26910", "extent": [0, 0, 10, 10]}],
    "layout": [{"kind": "legend", "dataFrame": 1, "bounds": [1, 1, 3, 4]},
               {"kind": "text", "text": "Corbelwick"}]})");
  doc->dataFrame(0).setExtent({0, 0, 8, 3});
  doc->dataFrame(0).layer(0).setVisible(false);
  doc->setFocusMap(1);
  doc->setLayoutActive(true);

  const std::string saved = saveDocument(*doc);
  auto again = loadDocument(saved);

  EXPECT_EQ(saveDocument(*again), saved);
  EXPECT_EQ(again->dataFrame(0).extent(), (Envelope{0, -1.5, 8, 4.5}));
  EXPECT_FALSE(again->dataFrame(0).layer(0).visible());
  EXPECT_EQ(again->dataFrame(0).layer(0).features[1].geometry.parts, (std::vector<int>{0, 1, 1}));
  EXPECT_EQ(again->dataFrame(0).layer(1).member(0).coverage, (Envelope{0, 0, 9, 9}));
  EXPECT_EQ(again->dataFrame(0).bookmarks[0]->name(), "Say \"cheese\"");
  EXPECT_EQ(again->dataFrame(0).crs, "");
  EXPECT_EQ(again->dataFrame(1).crs, "EPSG:26910");
  EXPECT_EQ(saved.find("\"crs\""), saved.rfind("\"crs\""));  // written only where there is one
  EXPECT_EQ(again->focusIndex(), 1);
  EXPECT_TRUE(again->layoutActive());
  EXPECT_EQ(again->layout->elements[0]->dataFrame, &again->dataFrame(1));
  EXPECT_EQ(again->layout->elements[1]->text, "Corbelwick");
}

}  // namespace
}  // namespace cw::standin
