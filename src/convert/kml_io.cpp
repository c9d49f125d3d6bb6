#include "convert/kml_io.h"

#include <cmath>
#include <cstddef>
#include <numbers>
#include <sstream>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "convert/extent_check.h"
#include "convert/numbers.h"
#include "convert/reference_systems.h"
#include "convert/xml_text.h"
#include "convert/xml_writer.h"

namespace cw::convert {

namespace {

constexpr const char* kKmlNamespace = "http://www.opengis.net/kml/2.2";
// The converter's own elements in ExtendedData, which KML readers pass over.
constexpr const char* kOwnNamespace = "urn:corbelwick:bookmarks";
constexpr double kMetresPerDegree = 111319.49079327357;  // at the equator
// Google Earth's view is 60 degrees wide: a box fills it seen from this many times its width.
constexpr double kRangePerWidth = 0.8660254037844386;  // 1 / (2 tan 30 degrees)

// The name of an element without its namespace prefix.
std::string_view localName(const pugi::xml_node& node) {
  std::string_view name = node.name();
  const std::size_t colon = name.find(':');
  return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

pugi::xml_node child(const pugi::xml_node& node, std::string_view name) {
  for (const pugi::xml_node& c : node.children()) {
    if (c.type() == pugi::node_element && localName(c) == name) return c;
  }
  return {};
}

std::string childText(const pugi::xml_node& node, std::string_view name) {
  return child(node, name).text().get();
}

class PlacemarkReader {
 public:
  PlacemarkReader(const std::string& file, std::string place)
      : file_(file), place_(std::move(place)) {}

  [[noreturn]] void fail(const std::string& what) const { throw InputError(file_, place_, what); }

  double number(const pugi::xml_node& parent, const char* name) const {
    const pugi::xml_node element = child(parent, name);
    if (!element) fail(std::string("no <") + name + ">");
    auto value = parseFinite(element.text().get());
    if (!value) {
      fail(std::string("<") + name + "> \"" + element.text().get() + "\" is not a finite number");
    }
    return *value;
  }

  // The box of a LatLonAltBox; east beyond 180, or below west, crosses the antimeridian.
  host::Envelope box(const pugi::xml_node& latLonAltBox) const {
    host::Envelope e{number(latLonAltBox, "west"), number(latLonAltBox, "south"),
                     number(latLonAltBox, "east"), number(latLonAltBox, "north")};
    if (e.YMin > e.YMax) fail("south is greater than north");
    if (e.XMax < e.XMin) e.XMax += 360;
    return e;
  }

  // The bounds of a geometry's coordinates ("lon,lat[,alt]" separated by blanks).
  host::Envelope bounds(const pugi::xml_node& placemark) const {
    host::Envelope e{INFINITY, INFINITY, -INFINITY, -INFINITY};
    for (const pugi::xpath_node& found :
         placemark.select_nodes(".//*[local-name()='coordinates']")) {
      std::istringstream tuples(found.node().text().get());
      std::string tuple;
      while (tuples >> tuple) {
        const std::size_t comma = tuple.find(',');
        auto x = parseFinite(std::string_view(tuple).substr(0, comma));
        auto y = comma == std::string::npos
                     ? std::nullopt
                     : parseFinite(std::string_view(tuple).substr(comma + 1).substr(
                           0, tuple.find(',', comma + 1) - comma - 1));
        if (!x || !y) fail("the coordinates \"" + tuple + "\" are not longitude,latitude");
        e = {std::fmin(e.XMin, *x), std::fmin(e.YMin, *y), std::fmax(e.XMax, *x),
             std::fmax(e.YMax, *y)};
      }
    }
    return e;
  }

  // The square a LookAt shows from its range, as Google Earth's view of 60 degrees does.
  host::Envelope seen(const pugi::xml_node& lookAt) const {
    const double lon = number(lookAt, "longitude"), lat = number(lookAt, "latitude");
    const double range = number(lookAt, "range");
    if (range <= 0) fail("the <LookAt> has no positive <range>");
    const double half = range / kRangePerWidth / 2;
    const double halfLat = half / kMetresPerDegree;
    const double halfLon =
        half / (kMetresPerDegree * std::fmax(std::cos(lat * std::numbers::pi / 180), 1e-6));
    return {lon - halfLon, std::fmax(lat - halfLat, -90), lon + halfLon,
            std::fmin(lat + halfLat, 90)};
  }

 private:
  const std::string& file_;
  std::string place_;
};

// The group of a Placemark: the name of the Folder it stands in, "" outside any.
std::string groupOf(const pugi::xml_node& placemark) {
  for (pugi::xml_node up = placemark.parent(); up; up = up.parent()) {
    if (localName(up) == "Folder") return childText(up, "name");
  }
  return {};
}

void writeLookAt(XmlWriter& xml, const host::Envelope& box) {
  double east = box.XMax;
  if (east < box.XMin) east += 360;
  double lon = (box.XMin + east) / 2;
  if (lon > 180) lon -= 360;
  const double lat = (box.YMin + box.YMax) / 2;
  const double width =
      (east - box.XMin) * kMetresPerDegree * std::cos(lat * std::numbers::pi / 180);
  const double height = (box.YMax - box.YMin) * kMetresPerDegree;
  xml.open("LookAt");
  xml.element("longitude", exactText(lon));
  xml.element("latitude", exactText(lat));
  xml.element("altitude", "0");
  xml.element("heading", "0");
  xml.element("tilt", "0");
  xml.element("range", exactText(std::fmax(std::fmax(width, height) * kRangePerWidth, 1)));
  xml.close("LookAt");
}

void writeRegion(XmlWriter& xml, const host::Envelope& box) {
  xml.open("Region");
  xml.open("LatLonAltBox");
  xml.element("north", exactText(box.YMax));
  xml.element("south", exactText(box.YMin));
  // Across the antimeridian the east edge runs on past 180 degrees.
  xml.element("east", exactText(box.XMax < box.XMin ? box.XMax + 360 : box.XMax));
  xml.element("west", exactText(box.XMin));
  xml.close("LatLonAltBox");
  xml.close("Region");
}

void writeExtendedData(XmlWriter& xml, const Bookmark& b) {
  xml.open("ExtendedData");
  auto data = [&](std::string_view name, const std::string& value) {
    xml.open("Data", {{"name", name}});
    xml.element("value", value);
    xml.close("Data");
  };
  const host::Envelope& e = b.extent;
  data("extent", exactText(e.XMin) + "," + exactText(e.YMin) + "," + exactText(e.XMax) + "," +
                     exactText(e.YMax));
  data("crs", b.crs);
  for (const LayerVisibility& layer : b.layers) {
    xml.element("cw:layer", layer.layer,
                {{"frame", layer.frame}, {"visible", layer.visible ? "true" : "false"}});
  }
  xml.close("ExtendedData");
}

void writePlacemark(XmlWriter& xml, const Bookmark& b, const host::Envelope& wgs84) {
  xml.open("Placemark");
  xml.element("name", b.name);
  if (!b.description.empty()) xml.element("description", b.description);
  writeLookAt(xml, wgs84);
  writeRegion(xml, wgs84);
  writeExtendedData(xml, b);
  xml.close("Placemark");
}

}  // namespace

Bookmarks readKml(std::string_view text, const std::string& file) {
  pugi::xml_document document = parseXml(text, file);
  const pugi::xml_node root = document.document_element();
  if (localName(root) != "kml") {
    throw InputError(file, lineOf(text, root),
                     std::string("not KML: the root element is <") + root.name() + ">, not <kml>");
  }
  Bookmarks bookmarks;
  LineCounter lines(text);
  for (const pugi::xpath_node& found : root.select_nodes("//*[local-name()='Placemark']")) {
    const pugi::xml_node placemark = found.node();
    const std::string place = "<Placemark> at " + lineOf(lines, placemark);
    PlacemarkReader read(file, place);
    Bookmark b;
    b.name = childText(placemark, "name");
    b.group = groupOf(placemark);
    b.description = childText(placemark, "description");
    const pugi::xml_node data = child(placemark, "ExtendedData");
    std::unordered_map<std::string, std::string> values;
    for (const pugi::xml_node& element : data.children()) {
      if (localName(element) == "Data") {
        values[element.attribute("name").value()] = childText(element, "value");
      } else if (localName(element) == "layer" && element.attribute("frame")) {
        const std::string_view visible = element.attribute("visible").value();
        if (visible != "true" && visible != "false") {
          read.fail("a layer's \"visible\" is neither true nor false");
        }
        b.layers.push_back(
            {element.attribute("frame").value(), element.text().get(), visible == "true"});
      }
    }
    if (values.count("extent") && values.count("crs") && !values["crs"].empty()) {
      // Written by this converter: the source's own extent, exactly.
      const std::string& extent = values["extent"];
      double e[4];
      std::size_t at = 0;
      for (int i = 0; i < 4; ++i) {
        const std::size_t end = i < 3 ? extent.find(',', at) : extent.size();
        auto value = end == std::string::npos
                         ? std::nullopt
                         : parseFinite(std::string_view(extent).substr(at, end - at));
        if (!value) read.fail("the extent \"" + extent + "\" is not four numbers");
        e[i] = *value;
        at = end + 1;
      }
      b.extent = {e[0], e[1], e[2], e[3]};
      b.crs = values["crs"];
    } else if (const pugi::xml_node box = child(child(placemark, "Region"), "LatLonAltBox")) {
      b.crs = kWgs84;
      b.extent = read.box(box);
    } else if (host::Envelope e = read.bounds(placemark); std::isfinite(e.XMin)) {
      b.crs = kWgs84;
      b.extent = e;
    } else if (const pugi::xml_node lookAt = child(placemark, "LookAt")) {
      b.crs = kWgs84;
      b.extent = read.seen(lookAt);
    } else {
      read.fail("neither a <Region>, a geometry nor a <LookAt> says where it is");
    }
    // A LookAt from very far, say, makes a box beyond the globe or beyond any number.
    if (b.crs == kWgs84) {
      checkWgs84Box(b.extent, file, place);
    } else {
      checkExtent(b.extent, file, place);
    }
    bookmarks.push_back(std::move(b));
  }
  return bookmarks;
}

std::string writeKml(const Bookmarks& bookmarks, const std::vector<host::Envelope>& wgs84,
                     WriteNotes& notes) {
  // A Folder per group where the group first appears, holding all of the group's bookmarks;
  // bookmarks without one stand in the Document itself, in their place.
  std::vector<std::vector<std::size_t>> folders;  // the bookmarks of each folder
  std::vector<std::ptrdiff_t> documentItems;      // a folder as ~index, else a bookmark's index
  std::unordered_map<std::string_view, std::size_t> folderOfGroup;
  for (std::size_t i = 0; i < bookmarks.size(); ++i) {
    const std::string& group = bookmarks[i].group;
    if (group.empty()) {
      documentItems.push_back(static_cast<std::ptrdiff_t>(i));
      continue;
    }
    auto [found, added] = folderOfGroup.try_emplace(group, folders.size());
    if (added) {
      folders.emplace_back();
      documentItems.push_back(~static_cast<std::ptrdiff_t>(found->second));
    }
    folders[found->second].push_back(i);
  }

  XmlWriter xml;
  xml.markup("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n");
  xml.open("kml", {{"xmlns", kKmlNamespace}, {"xmlns:cw", kOwnNamespace}});
  xml.open("Document");
  xml.element("name", "Bookmarks");
  for (const std::ptrdiff_t item : documentItems) {
    if (item >= 0) {
      const auto i = static_cast<std::size_t>(item);
      writePlacemark(xml, bookmarks[i], wgs84[i]);
      continue;
    }
    const std::vector<std::size_t>& folder = folders[static_cast<std::size_t>(~item)];
    xml.open("Folder");
    xml.element("name", bookmarks[folder.front()].group);
    for (const std::size_t i : folder) writePlacemark(xml, bookmarks[i], wgs84[i]);
    xml.close("Folder");
  }
  xml.close("Document");
  xml.close("kml");
  notes.changedNames += xml.changedValues();
  return xml.take();
}

}  // namespace cw::convert
