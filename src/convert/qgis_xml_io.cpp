#include "convert/qgis_xml_io.h"

#include <cmath>
#include <cstdio>
#include <sstream>

#include "convert/extent_check.h"
#include "convert/numbers.h"
#include "convert/qgis_srs_ids.h"
#include "convert/reference_systems.h"
#include "convert/xml_text.h"

namespace cw::convert {

namespace {

constexpr const char* kRoot = "qgis_bookmarks";

double coordinate(const pugi::xml_node& bookmark, const char* name, const std::string& file,
                  const std::string& place) {
  const pugi::xml_node element = bookmark.child(name);
  if (!element) throw InputError(file, place, std::string("no <") + name + ">");
  auto value = parseFinite(element.text().get());
  if (!value) {
    throw InputError(
        file, place,
        std::string("<") + name + "> \"" + element.text().get() + "\" is not a finite number");
  }
  return *value;
}

// QGIS gives every bookmark an id of the form "{...}" and assigns new ones on import.
std::string idOf(std::size_t index) {
  char id[64];
  std::snprintf(id, sizeof id, "{00000000-0000-4000-8000-%012zu}", index + 1);
  return id;
}

}  // namespace

Bookmarks readQgisXml(std::string_view text, const std::string& file) {
  pugi::xml_document document = parseXml(text, file);
  const pugi::xml_node root = document.document_element();
  if (std::string_view(root.name()) != kRoot) {
    throw InputError(file, lineOf(text, root),
                     std::string("not QGIS bookmarks: the root element is <") + root.name() +
                         ">, not <" + kRoot + ">");
  }
  Bookmarks bookmarks;
  LineCounter lines(text);
  for (const pugi::xml_node& element : root.children("bookmark")) {
    const std::string place = "<bookmark> at " + lineOf(lines, element);
    Bookmark b;
    b.name = element.child("name").text().get();
    b.group = element.child("project").text().get();
    b.extent = {coordinate(element, "xmin", file, place), coordinate(element, "ymin", file, place),
                coordinate(element, "xmax", file, place), coordinate(element, "ymax", file, place)};
    checkExtent(b.extent, file, place);
    const char* srId = element.child("sr_id").text().get();
    auto id = parseFinite(srId);
    const bool whole = id && *id == std::floor(*id) && std::fabs(*id) < 1e9;
    auto epsg = whole ? epsgOfQgisSrsId(static_cast<int>(*id)) : std::nullopt;
    if (!epsg) {
      throw InputError(file, place,
                       std::string("<sr_id> \"") + srId +
                           "\" is no QGIS id of a common reference system (ids of user-defined "
                           "systems differ between QGIS installations)");
    }
    b.crs = "EPSG:" + std::to_string(*epsg);
    if (const pugi::xml_node rotation = element.child("rotation")) {
      auto value = parseFinite(rotation.text().get());
      if (!value) throw InputError(file, place, "<rotation> is not a finite number");
      b.rotation = *value;
    }
    bookmarks.push_back(std::move(b));
  }
  return bookmarks;
}

std::string writeQgisXml(const Bookmarks& bookmarks, ReferenceSystems& systems,
                         const std::string& file, WriteNotes& notes) {
  pugi::xml_document document;
  document.append_child(pugi::node_doctype).set_value(kRoot);
  pugi::xml_node root = document.append_child(kRoot);
  std::string lastCrs;
  int lastId = 0;
  for (std::size_t i = 0; i < bookmarks.size(); ++i) {
    const Bookmark& b = bookmarks[i];
    if (b.crs != lastCrs || !lastId) {
      auto epsg = systems.epsgCode(b.crs);
      auto id = epsg ? qgisSrsIdOfEpsg(*epsg) : std::nullopt;
      if (!id) {
        throw InputError(file, "bookmark \"" + b.name + "\"",
                         "QGIS has no fixed id for the reference system " + b.crs +
                             " (see docs/converter.md for the systems known)");
      }
      lastCrs = b.crs;
      lastId = *id;
    }
    pugi::xml_node element = root.append_child("bookmark");
    element.append_child("id").text().set(idOf(i).c_str());
    element.append_child("name").text().set(xmlText(b.name, notes.changedNames).c_str());
    element.append_child("project").text().set(xmlText(b.group, notes.changedNames).c_str());
    element.append_child("xmin").text().set(exactText(b.extent.XMin).c_str());
    element.append_child("ymin").text().set(exactText(b.extent.YMin).c_str());
    element.append_child("xmax").text().set(exactText(b.extent.XMax).c_str());
    element.append_child("ymax").text().set(exactText(b.extent.YMax).c_str());
    element.append_child("sr_id").text().set(lastId);
    if (b.rotation != 0) element.append_child("rotation").text().set(exactText(b.rotation).c_str());
  }
  std::ostringstream out;
  document.save(out, "  ", pugi::format_indent | pugi::format_no_declaration, pugi::encoding_utf8);
  return out.str();
}

}  // namespace cw::convert
