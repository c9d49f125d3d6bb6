#include "convert/xml_text.h"

#include <algorithm>
#include <cstddef>

#include "convert/text_place.h"

namespace cw::convert {

namespace {

// The default options expand only the predefined entities and character references; an element
// holding only text keeps it in itself, which halves the nodes of a document of small elements.
constexpr unsigned kParseOptions =
    pugi::parse_default | pugi::parse_doctype | pugi::parse_embed_pcdata;

template <typename Lines>
void checkParsed(const pugi::xml_document& document, const pugi::xml_parse_result& result,
                 const std::string& file, const Lines& lineAtOffset) {
  if (!result) {
    throw InputError(file, lineAtOffset(static_cast<std::size_t>(result.offset)),
                     std::string("not well-formed XML: ") + result.description());
  }
  for (const pugi::xml_node& node : document.children()) {
    if (node.type() == pugi::node_doctype &&
        std::string_view(node.value()).find("<!ENTITY") != std::string_view::npos) {
      throw InputError(
          file,
          lineAtOffset(static_cast<std::size_t>(std::max<std::ptrdiff_t>(node.offset_debug(), 0))),
          "the document type declaration declares entities, which are refused");
    }
  }
}

}  // namespace

pugi::xml_document parseXml(std::string_view text, const std::string& file) {
  pugi::xml_document document;
  const pugi::xml_parse_result result =
      document.load_buffer(text.data(), text.size(), kParseOptions, pugi::encoding_utf8);
  checkParsed(document, result, file, [&](std::size_t offset) { return lineAt(text, offset); });
  return document;
}

pugi::xml_document parseXmlInPlace(std::string& text, const std::string& file,
                                   const LineIndex& lines) {
  pugi::xml_document document;
  const pugi::xml_parse_result result =
      document.load_buffer_inplace(text.data(), text.size(), kParseOptions, pugi::encoding_utf8);
  checkParsed(document, result, file, [&](std::size_t offset) { return lines.lineAt(offset); });
  return document;
}

std::string lineOf(std::string_view text, const pugi::xml_node& node) {
  return lineAt(text, static_cast<std::size_t>(node.offset_debug() < 0 ? 0 : node.offset_debug()));
}

std::string lineOf(LineCounter& lines, const pugi::xml_node& node) {
  return lines.lineAt(static_cast<std::size_t>(node.offset_debug() < 0 ? 0 : node.offset_debug()));
}

std::string lineOf(const LineIndex& lines, const pugi::xml_node& node) {
  return lines.lineAt(static_cast<std::size_t>(node.offset_debug() < 0 ? 0 : node.offset_debug()));
}

}  // namespace cw::convert
