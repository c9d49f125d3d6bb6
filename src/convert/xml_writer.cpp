#include "convert/xml_writer.h"

#include "convert/xml_escape.h"

namespace cw::convert {

void XmlWriter::open(std::string_view tag, std::initializer_list<XmlAttribute> attributes) {
  startTag(tag, attributes);
  text_ += ">\n";
  ++depth_;
}

void XmlWriter::close(std::string_view tag) {
  --depth_;
  text_.append(static_cast<std::size_t>(depth_) * 2, ' ');
  text_ += "</";
  text_ += tag;
  text_ += ">\n";
}

void XmlWriter::element(std::string_view tag, std::string_view value,
                        std::initializer_list<XmlAttribute> attributes) {
  startTag(tag, attributes);
  text_ += '>';
  escaped(value, false);
  text_ += "</";
  text_ += tag;
  text_ += ">\n";
}

void XmlWriter::emptyElement(std::string_view tag) {
  startTag(tag, {});
  text_ += " />\n";
}

void XmlWriter::startTag(std::string_view tag, std::initializer_list<XmlAttribute> attributes) {
  text_.append(static_cast<std::size_t>(depth_) * 2, ' ');
  text_ += '<';
  text_ += tag;
  for (const XmlAttribute& attribute : attributes) {
    text_ += ' ';
    text_ += attribute.name;
    text_ += "=\"";
    escaped(attribute.value, true);
    text_ += '"';
  }
}

void XmlWriter::escaped(std::string_view value, bool attribute) {
  changed_ +=
      appendXmlEscaped(text_, value, attribute ? XmlValueIn::kAttribute : XmlValueIn::kText);
}

}  // namespace cw::convert
