#include "convert/kml_io.h"

#include <cmath>
#include <numbers>
#include <sstream>
#include <unordered_map>

#include "convert/extent_check.h"
#include "convert/numbers.h"
#include "convert/reference_systems.h"
#include "convert/xml_text.h"

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

void addText(pugi::xml_node parent, const char* name, const std::string& text) {
  parent.append_child(name).text().set(text.c_str());
}

void addLookAt(pugi::xml_node placemark, const host::Envelope& box) {
  double east = box.XMax;
  if (east < box.XMin) east += 360;
  double lon = (box.XMin + east) / 2;
  if (lon > 180) lon -= 360;
  const double lat = (box.YMin + box.YMax) / 2;
  const double width =
      (east - box.XMin) * kMetresPerDegree * std::cos(lat * std::numbers::pi / 180);
  const double height = (box.YMax - box.YMin) * kMetresPerDegree;
  pugi::xml_node lookAt = placemark.append_child("LookAt");
  addText(lookAt, "longitude", exactText(lon));
  addText(lookAt, "latitude", exactText(lat));
  addText(lookAt, "altitude", "0");
  addText(lookAt, "heading", "0");
  addText(lookAt, "tilt", "0");
  addText(lookAt, "range", exactText(std::fmax(std::fmax(width, height) * kRangePerWidth, 1)));
}

void addRegion(pugi::xml_node placemark, const host::Envelope& box) {
  pugi::xml_node latLonAltBox = placemark.append_child("Region").append_child("LatLonAltBox");
  addText(latLonAltBox, "north", exactText(box.YMax));
  addText(latLonAltBox, "south", exactText(box.YMin));
  // Across the antimeridian the east edge runs on past 180 degrees.
  addText(latLonAltBox, "east", exactText(box.XMax < box.XMin ? box.XMax + 360 : box.XMax));
  addText(latLonAltBox, "west", exactText(box.XMin));
}

void addExtendedData(pugi::xml_node placemark, const Bookmark& b, WriteNotes& notes) {
  pugi::xml_node data = placemark.append_child("ExtendedData");
  auto addData = [&](const char* name, const std::string& value) {
    pugi::xml_node element = data.append_child("Data");
    element.append_attribute("name").set_value(name);
    addText(element, "value", value);
  };
  const host::Envelope& e = b.extent;
  addData("extent", exactText(e.XMin) + "," + exactText(e.YMin) + "," + exactText(e.XMax) + "," +
                        exactText(e.YMax));
  addData("crs", b.crs);
  for (const LayerVisibility& layer : b.layers) {
    pugi::xml_node element = data.append_child("cw:layer");
    element.append_attribute("frame").set_value(xmlText(layer.frame, notes.changedNames).c_str());
    element.append_attribute("visible").set_value(layer.visible ? "true" : "false");
    element.text().set(xmlText(layer.layer, notes.changedNames).c_str());
  }
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
  pugi::xml_document document;
  pugi::xml_node declaration = document.append_child(pugi::node_declaration);
  declaration.append_attribute("version").set_value("1.0");
  declaration.append_attribute("encoding").set_value("UTF-8");
  pugi::xml_node kml = document.append_child("kml");
  kml.append_attribute("xmlns").set_value(kKmlNamespace);
  kml.append_attribute("xmlns:cw").set_value(kOwnNamespace);
  pugi::xml_node root = kml.append_child("Document");
  addText(root, "name", "Bookmarks");
  // A Folder per group, in the order the groups first appear; bookmarks without one stand in
  // the Document itself.
  std::unordered_map<std::string, pugi::xml_node> folders;
  for (std::size_t i = 0; i < bookmarks.size(); ++i) {
    const Bookmark& b = bookmarks[i];
    pugi::xml_node parent = root;
    if (!b.group.empty()) {
      pugi::xml_node& folder = folders[b.group];
      if (!folder) {
        folder = root.append_child("Folder");
        addText(folder, "name", xmlText(b.group, notes.changedNames));
      }
      parent = folder;
    }
    pugi::xml_node placemark = parent.append_child("Placemark");
    addText(placemark, "name", xmlText(b.name, notes.changedNames));
    if (!b.description.empty()) {
      addText(placemark, "description", xmlText(b.description, notes.changedNames));
    }
    addLookAt(placemark, wgs84[i]);
    addRegion(placemark, wgs84[i]);
    addExtendedData(placemark, b, notes);
  }
  std::ostringstream out;
  document.save(out, "  ", pugi::format_indent, pugi::encoding_utf8);
  return out.str();
}

}  // namespace cw::convert
