#include "convert/xml_text.h"

#include "convert/text_place.h"

namespace cw::convert {

pugi::xml_document parseXml(std::string_view text, const std::string& file) {
  pugi::xml_document document;
  // The default options expand only the predefined entities and character references.
  const pugi::xml_parse_result result = document.load_buffer(
      text.data(), text.size(), pugi::parse_default | pugi::parse_doctype, pugi::encoding_utf8);
  if (!result) {
    throw InputError(file, lineAt(text, static_cast<std::size_t>(result.offset)),
                     std::string("not well-formed XML: ") + result.description());
  }
  for (const pugi::xml_node& node : document.children()) {
    if (node.type() == pugi::node_doctype &&
        std::string_view(node.value()).find("<!ENTITY") != std::string_view::npos) {
      throw InputError(file, lineOf(text, node),
                       "the document type declaration declares entities, which are refused");
    }
  }
  return document;
}

std::string lineOf(std::string_view text, const pugi::xml_node& node) {
  return lineAt(text, static_cast<std::size_t>(node.offset_debug() < 0 ? 0 : node.offset_debug()));
}

std::string lineOf(LineCounter& lines, const pugi::xml_node& node) {
  return lines.lineAt(static_cast<std::size_t>(node.offset_debug() < 0 ? 0 : node.offset_debug()));
}

std::string xmlText(std::string_view text, int& changed) {
  std::string out;
  out.reserve(text.size());
  bool any = false;
  for (char c : text) {
    const auto code = static_cast<unsigned char>(c);
    if (code < 0x20 && c != '\t' && c != '\n' && c != '\r') {
      out += "\xEF\xBF\xBD";
      any = true;
    } else {
      out += c;
    }
  }
  changed += any;
  return out;
}

}  // namespace cw::convert
