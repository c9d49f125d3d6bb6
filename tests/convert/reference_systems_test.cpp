#include "convert/reference_systems.h"

#include <gtest/gtest.h>

#include <string>

#include "convert/bookmark.h"
#include "convert/numbers.h"
#include "input_error_of.h"

namespace cw::convert {
namespace {

using testing::inputErrorOf;

std::string text(const host::Envelope& e) {
  return exactText(e.XMin) + "," + exactText(e.YMin) + "," + exactText(e.XMax) + "," +
         exactText(e.YMax);
}

// A point as a box of no size, transformed on its own.
host::Envelope pointIn(ReferenceSystems& systems, double x, double y, const std::string& from,
                       const std::string& to) {
  return systems.transform({x, y, x, y}, from, to, "t", "");
}

TEST(convert_ReferenceSystemsTest, TheTransformedBoxHoldsEveryPointOfTheSourceEdges) {
  // Boxes whose edges bend in the target, none of them symmetric about the line where an edge
  // is at its extreme, so an outline sampled too coarsely misses the true bounds.
  struct Case {
    const char* from;
    const char* to;
    host::Envelope box;
  } cases[] = {
      {"EPSG:32610", kWgs84, {150000, 5000000, 700000, 5600000}},     // UTM zone 10
      {"EPSG:27700", kWgs84, {10000, 20000, 650000, 1200000}},        // British National Grid
      {"EPSG:3413", kWgs84, {-2000000, -3000000, 1500000, -500000}},  // polar stereographic
      {"EPSG:2154", kWgs84, {100000, 6050000, 1200000, 7100000}},     // Lambert-93
      {kWgs84, "EPSG:32633", {9.3, 40.1, 20.9, 58.7}},                // UTM zone 33
      {kWgs84, "EPSG:3035", {-20.5, 30.2, 41.7, 71.3}},               // ETRS89 LAEA
  };
  ReferenceSystems systems;
  for (const Case& c : cases) {
    const host::Envelope out = systems.transform(c.box, c.from, c.to, "t", "");
    constexpr int kSteps = 1000;
    const host::Envelope& b = c.box;
    for (int i = 0; i <= kSteps; ++i) {
      const double x = b.XMin + (b.XMax - b.XMin) * i / kSteps;
      const double y = b.YMin + (b.YMax - b.YMin) * i / kSteps;
      for (auto [px, py] : {std::pair{x, b.YMin}, {x, b.YMax}, {b.XMin, y}, {b.XMax, y}}) {
        const host::Envelope p = pointIn(systems, px, py, c.from, c.to);
        ASSERT_TRUE(p.XMin >= out.XMin && p.XMax <= out.XMax && p.YMin >= out.YMin &&
                    p.YMax <= out.YMax)
            << c.from << " -> " << c.to << ": " << exactText(px) << "," << exactText(py)
            << " lands at " << text(p) << ", outside " << text(out);
      }
    }
  }
}

TEST(convert_ReferenceSystemsTest, BoxesAcrossTheAntimeridianComeBackWestOfEast) {
  ReferenceSystems systems;
  struct Case {
    const char* what;
    const char* from;
    host::Envelope box;
  } cases[] = {
      {"a UTM zone 1 box over 180 degrees", "EPSG:32601", {200000, 7000000, 700000, 7400000}},
      {"a Pacific box in another geographic system", "EPSG:4258", {170, -20, -170, 10}},
  };
  for (const Case& c : cases) {
    const host::Envelope out = systems.transform(c.box, c.from, kWgs84, "t", "");
    EXPECT_GT(out.XMin, out.XMax) << c.what << ": " << text(out);
    EXPECT_TRUE(out.XMin >= -180 && out.XMin <= 180 && out.XMax >= -180 && out.XMax <= 180)
        << c.what << ": " << text(out);
  }
}

TEST(convert_ReferenceSystemsTest, LongitudesAreBroughtWithin180) {
  struct Case {
    host::Envelope box;
    const char* within;
  } cases[] = {
      {{-10, 1, 10, 2}, "-10,1,10,2"},      {{170, 1, 190, 2}, "170,1,-170,2"},
      {{170, 1, -170, 2}, "170,1,-170,2"},  {{190, 1, 200, 2}, "-170,1,-160,2"},
      {{-200, 1, -170, 2}, "160,1,-170,2"}, {{180, 1, 185, 2}, "-180,1,-175,2"},
      {{-180, 1, 180, 2}, "-180,1,180,2"},  {{-190, 1, 200, 2}, "-180,1,180,2"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(text(withLongitudesWithin180(c.box)), c.within) << text(c.box);
  }
}

TEST(convert_ReferenceSystemsTest, RefusesWhatNoSystemHolds) {
  ReferenceSystems systems;
  struct Case {
    host::Envelope box;
    const char* from;
    const char* message;
  } cases[] = {
      {{1, 2, 3, 4}, "EPSG:999999", "f: b: unknown reference system \"EPSG:999999\""},
      {{1, 2, 3, 4}, "WGS84ish", "f: b: unknown reference system \"WGS84ish\""},
      {{0, -95, 10, 10},
       kWgs84,
       "f: b: the box 0,-95,10,10 lies outside the range of EPSG:4326 (latitudes -90 to 90)"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(inputErrorOf([&] { systems.transform(c.box, c.from, "EPSG:3857", "f", "b"); }),
              c.message)
        << c.from << " " << text(c.box);
  }
}

}  // namespace
}  // namespace cw::convert
