#pragma once

#include <pugixml.hpp>
#include <string>
#include <string_view>

#include "convert/bookmark.h"
#include "convert/text_place.h"

// What the XML readers share: parsing without entities, places in messages.
namespace cw::convert {

// Parses a document; malformed XML and a document type declaration that declares entities
// (which are never expanded) fail with the file and the line.
pugi::xml_document parseXml(std::string_view text, const std::string& file);
// The same, parsing `text` where it stands (the document keeps pointing into it, and the parse
// changes its bytes); `lines` is the index of its lines taken before.
pugi::xml_document parseXmlInPlace(std::string& text, const std::string& file,
                                   const LineIndex& lines);
// "line N" of a node, for messages.
std::string lineOf(std::string_view text, const pugi::xml_node& node);
// The same for the nodes of one document in document order.
std::string lineOf(LineCounter& lines, const pugi::xml_node& node);
std::string lineOf(const LineIndex& lines, const pugi::xml_node& node);

}  // namespace cw::convert
