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

namespace cw::convert {

namespace {

constexpr const char* kRoot = "qgis_bookmarks";
// The elements of a bookmark in the order QGIS writes them (a rotation may follow).
constexpr std::array<const char*, 8> kFields{"id",   "name", "project", "xmin",
                                             "ymin", "xmax", "ymax",    "sr_id"};

// Gathers what pugixml's printer hands on (a bookmark at a time) into pieces of a size worth
// passing on.
class PieceWriter : public pugi::xml_writer {
 public:
  explicit PieceWriter(const std::function<void(std::string_view)>& out) : out_(out) {
    text_.reserve(kPiece + 4096);
  }
  void write(const void* data, std::size_t size) override {
    text_.append(static_cast<const char*>(data), size);
    if (text_.size() >= kPiece) passOn();
  }
  void append(std::string_view text) { write(text.data(), text.size()); }
  void passOn() {
    if (!text_.empty()) out_(text_);
    text_.clear();
  }

 private:
  static constexpr std::size_t kPiece = 256 * 1024;
  const std::function<void(std::string_view)>& out_;
  std::string text_;
};

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

// The text, or the text with what XML cannot hold replaced, into an element.
void setXmlText(pugi::xml_text& element, const std::string& text, int& changed) {
  const bool holdable = std::none_of(text.begin(), text.end(), [](char c) {
    const auto code = static_cast<unsigned char>(c);
    return code < 0x20 && c != '\t' && c != '\n' && c != '\r';
  });
  if (holdable) {
    element.set(text.c_str());
  } else {
    element.set(xmlText(text, changed).c_str());
  }
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
  // One <bookmark> element, its texts set afresh for each bookmark and printed at the root's
  // depth, so the document never holds more than one bookmark and no text is allocated twice.
  pugi::xml_document scratch;
  pugi::xml_node element = scratch.append_child("bookmark");
  std::array<pugi::xml_text, kFields.size()> fields;
  for (std::size_t f = 0; f < kFields.size(); ++f) {
    fields[f] = element.append_child(kFields[f]).text();
  }
  pugi::xml_node rotation;

  PieceWriter out(pieces);
  out.append(std::string("<!DOCTYPE ") + kRoot + ">\n");
  if (bookmarks.empty()) {
    out.append(std::string("<") + kRoot + " />\n");
    out.passOn();
    return;
  }
  out.append(std::string("<") + kRoot + ">\n");
  std::string lastCrs;
  int lastId = 0;
  BookmarkId id;
  ExactText number;
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
    fields[0].set(idOf(i, id));
    setXmlText(fields[1], b.name, notes.changedNames);
    setXmlText(fields[2], b.group, notes.changedNames);
    fields[3].set(exactText(b.extent.XMin, number));
    fields[4].set(exactText(b.extent.YMin, number));
    fields[5].set(exactText(b.extent.XMax, number));
    fields[6].set(exactText(b.extent.YMax, number));
    fields[7].set(lastId);
    if (b.rotation != 0) {
      if (!rotation) rotation = element.append_child("rotation");
      rotation.text().set(exactText(b.rotation).c_str());
    } else if (rotation) {
      element.remove_child(rotation);
      rotation = pugi::xml_node();
    }
    element.print(out, "  ", pugi::format_indent, pugi::encoding_utf8, 1);
  }
  out.append(std::string("</") + kRoot + ">\n");
  out.passOn();
}

std::string writeQgisXml(const Bookmarks& bookmarks, ReferenceSystems& systems,
                         const std::string& file, WriteNotes& notes) {
  std::string text;
  writeQgisXml(bookmarks, systems, file, notes, [&text](std::string_view piece) { text += piece; });
  return text;
}

}  // namespace cw::convert
