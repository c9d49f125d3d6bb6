#include "convert/qgis_xml_io.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <iterator>
#include <string_view>
#include <utility>

#include "convert/extent_check.h"
#include "convert/numbers.h"
#include "convert/qgis_srs_ids.h"
#include "convert/reference_systems.h"
#include "convert/xml_text.h"
#include "convert/xml_writer.h"

namespace cw::convert {

namespace {

constexpr const char* kRoot = "qgis_bookmarks";
// The file is passed on in pieces of this size as it is made.
constexpr std::size_t kPiece = 256 * 1024;

// The places of messages are made only for a message: a file of many bookmarks has no use for
// them otherwise.
class BookmarkPlace {
 public:
  BookmarkPlace(const LineIndex& lines, pugi::xml_node element)
      : lines_(lines), element_(element) {}
  std::string operator()() const { return "<bookmark> at " + lineOf(lines_, element_); }

 private:
  const LineIndex& lines_;
  pugi::xml_node element_;
};

// The elements of a <bookmark> that are read, each the first of its name, found in one pass.
struct BookmarkElements {
  pugi::xml_node id, name, project, xmin, ymin, xmax, ymax, srId, rotation;  // id is not read

  explicit BookmarkElements(const pugi::xml_node& bookmark) {
    const std::array<std::pair<std::string_view, pugi::xml_node*>, 9> slots{
        {{"id", &id},
         {"name", &name},
         {"project", &project},
         {"xmin", &xmin},
         {"ymin", &ymin},
         {"xmax", &xmax},
         {"ymax", &ymax},
         {"sr_id", &srId},
         {"rotation", &rotation}}};
    // QGIS writes them in this order: each child is first compared with the one expected next.
    std::size_t expected = 0;
    for (const pugi::xml_node& child : bookmark.children()) {
      const std::string_view tag = child.name();
      for (std::size_t tried = 0; tried < slots.size(); ++tried) {
        const std::size_t at = (expected + tried) % slots.size();
        if (tag == slots[at].first) {
          if (!*slots[at].second) *slots[at].second = child;
          expected = at + 1;
          break;
        }
      }
    }
  }
};

double coordinate(const pugi::xml_node& element, const char* name, const std::string& file,
                  const BookmarkPlace& place) {
  if (!element) throw InputError(file, place(), std::string("no <") + name + ">");
  auto value = parseFinite(element.text().get());
  if (!value) {
    throw InputError(
        file, place(),
        std::string("<") + name + "> \"" + element.text().get() + "\" is not a finite number");
  }
  return *value;
}

// QGIS gives every bookmark an id of the form "{...}" and assigns new ones on import.
struct BookmarkId {
  char text[64] = "{00000000-0000-4000-8000-000000000000}";
};
const char* idOf(std::size_t index, BookmarkId& id) {
  // The last twelve digits count the bookmarks from 1, with leading zeros.
  char* const end = id.text + 37;
  std::size_t n = index + 1;
  for (char* digit = end - 1; digit >= end - 12; --digit, n /= 10) {
    *digit = static_cast<char>('0' + n % 10);
  }
  return id.text;
}

}  // namespace

Bookmarks readQgisXml(std::string text, const std::string& file) {
  const LineIndex lines(text);
  pugi::xml_document document = parseXmlInPlace(text, file, lines);
  const pugi::xml_node root = document.document_element();
  if (std::string_view(root.name()) != kRoot) {
    throw InputError(file, lineOf(lines, root),
                     std::string("not QGIS bookmarks: the root element is <") + root.name() +
                         ">, not <" + kRoot + ">");
  }
  const auto elements = root.children("bookmark");
  Bookmarks bookmarks;
  bookmarks.reserve(static_cast<std::size_t>(std::distance(elements.begin(), elements.end())));
  std::string lastSrId;
  std::string lastCrs;
  for (const pugi::xml_node& element : elements) {
    const BookmarkPlace place(lines, element);
    const BookmarkElements found(element);
    Bookmark& b = bookmarks.emplace_back();
    b.name = found.name.text().get();
    b.group = found.project.text().get();
    b.extent = {
        coordinate(found.xmin, "xmin", file, place), coordinate(found.ymin, "ymin", file, place),
        coordinate(found.xmax, "xmax", file, place), coordinate(found.ymax, "ymax", file, place)};
    if (!isShowable(b.extent)) checkExtent(b.extent, file, place());
    const char* srId = found.srId.text().get();
    if (lastCrs.empty() || lastSrId != srId) {
      auto id = parseFinite(srId);
      const bool whole = id && *id == std::floor(*id) && std::fabs(*id) < 1e9;
      auto epsg = whole ? epsgOfQgisSrsId(static_cast<int>(*id)) : std::nullopt;
      if (!epsg) {
        throw InputError(file, place(),
                         std::string("<sr_id> \"") + srId +
                             "\" is no QGIS id of a common reference system (ids of user-defined "
                             "systems differ between QGIS installations)");
      }
      lastSrId = srId;
      lastCrs = "EPSG:" + std::to_string(*epsg);
    }
    b.crs = lastCrs;
    if (found.rotation) {
      auto value = parseFinite(found.rotation.text().get());
      if (!value) throw InputError(file, place(), "<rotation> is not a finite number");
      b.rotation = *value;
    }
  }
  return bookmarks;
}

void writeQgisXml(const Bookmarks& bookmarks, ReferenceSystems& systems, const std::string& file,
                  WriteNotes& notes, const std::function<void(std::string_view)>& pieces) {
  XmlWriter xml(kPiece + 4096);
  const auto passOn = [&] {
    if (!xml.text().empty()) pieces(xml.text());
    xml.clear();
  };
  xml.markup(std::string("<!DOCTYPE ") + kRoot + ">\n");
  if (bookmarks.empty()) {
    xml.emptyElement(kRoot);
    passOn();
    return;
  }
  xml.open(kRoot);
  std::string lastCrs;
  std::string srId;
  BookmarkId id;
  ExactText number;
  for (std::size_t i = 0; i < bookmarks.size(); ++i) {
    const Bookmark& b = bookmarks[i];
    if (b.crs != lastCrs || srId.empty()) {
      auto epsg = systems.epsgCode(b.crs);
      auto qgisId = epsg ? qgisSrsIdOfEpsg(*epsg) : std::nullopt;
      if (!qgisId) {
        throw InputError(file, "bookmark \"" + b.name + "\"",
                         "QGIS has no fixed id for the reference system " + b.crs +
                             " (see docs/converter.md for the systems known)");
      }
      lastCrs = b.crs;
      srId = std::to_string(*qgisId);
    }
    xml.open("bookmark");
    xml.element("id", idOf(i, id));
    xml.element("name", b.name);
    xml.element("project", b.group);
    xml.element("xmin", exactText(b.extent.XMin, number));
    xml.element("ymin", exactText(b.extent.YMin, number));
    xml.element("xmax", exactText(b.extent.XMax, number));
    xml.element("ymax", exactText(b.extent.YMax, number));
    xml.element("sr_id", srId);
    if (b.rotation != 0) xml.element("rotation", exactText(b.rotation, number));
    xml.close("bookmark");
    if (xml.text().size() >= kPiece) passOn();
  }
  xml.close(kRoot);
  passOn();
  notes.changedNames += xml.changedValues();
}

std::string writeQgisXml(const Bookmarks& bookmarks, ReferenceSystems& systems,
                         const std::string& file, WriteNotes& notes) {
  std::string text;
  writeQgisXml(bookmarks, systems, file, notes, [&text](std::string_view piece) { text += piece; });
  return text;
}

}  // namespace cw::convert
