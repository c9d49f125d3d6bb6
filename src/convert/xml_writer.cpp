#include "convert/xml_writer.h"

#include <algorithm>
#include <cstring>

#include "convert/xml_escape.h"

namespace cw::convert {

// Each piece is written into room made for it beforehand, so that a large file is not made
// through a string append for every few characters.

void XmlWriter::markup(std::string_view text) {
  size_ = static_cast<std::size_t>(put(room(text.size()), text) - buffer_.data());
}

void XmlWriter::open(std::string_view tag, std::initializer_list<XmlAttribute> attributes) {
  char* at = startTag(room(roomFor(tag, attributes)), tag, attributes);
  at = put(at, ">\n");
  size_ = static_cast<std::size_t>(at - buffer_.data());
  ++depth_;
}

void XmlWriter::close(std::string_view tag) {
  --depth_;
  char* at = indent(room(2 * depth_ + tag.size() + 4));
  at = put(at, "</");
  at = put(at, tag);
  at = put(at, ">\n");
  size_ = static_cast<std::size_t>(at - buffer_.data());
}

void XmlWriter::element(std::string_view tag, std::string_view value,
                        std::initializer_list<XmlAttribute> attributes) {
  char* at =
      room(roomFor(tag, attributes) + tag.size() + 4 + value.size() * kMostEscapedPerCharacter);
  at = startTag(at, tag, attributes);
  *at++ = '>';
  at = escaped(at, value, false);
  at = put(at, "</");
  at = put(at, tag);
  at = put(at, ">\n");
  size_ = static_cast<std::size_t>(at - buffer_.data());
}

void XmlWriter::emptyElement(std::string_view tag) {
  char* at = startTag(room(roomFor(tag, {})), tag, {});
  at = put(at, " />\n");
  size_ = static_cast<std::size_t>(at - buffer_.data());
}

std::string XmlWriter::take() {
  buffer_.resize(size_);
  size_ = 0;
  return std::move(buffer_);
}

char* XmlWriter::room(std::size_t size) {
  if (buffer_.size() - size_ < size) buffer_.resize(std::max(buffer_.size() * 2, size_ + size));
  return buffer_.data() + size_;
}

char* XmlWriter::put(char* at, std::string_view text) {
  std::memcpy(at, text.data(), text.size());
  return at + text.size();
}

char* XmlWriter::indent(char* at) const {
  std::memset(at, ' ', 2 * depth_);
  return at + 2 * depth_;
}

std::size_t XmlWriter::roomFor(std::string_view tag,
                               std::initializer_list<XmlAttribute> attributes) const {
  // The indent, "<tag", and ">\n" or " />\n" after the attributes.
  std::size_t size = 2 * depth_ + tag.size() + 5;
  for (const XmlAttribute& a : attributes) {
    size += a.name.size() + 4 + a.value.size() * kMostEscapedPerCharacter;
  }
  return size;
}

char* XmlWriter::startTag(char* at, std::string_view tag,
                          std::initializer_list<XmlAttribute> attributes) {
  at = indent(at);
  *at++ = '<';
  at = put(at, tag);
  for (const XmlAttribute& attribute : attributes) {
    *at++ = ' ';
    at = put(at, attribute.name);
    at = put(at, "=\"");
    at = escaped(at, attribute.value, true);
    *at++ = '"';
  }
  return at;
}

char* XmlWriter::escaped(char* at, std::string_view value, bool attribute) {
  bool replaced = false;
  at = escapeXml(at, value, attribute ? XmlValueIn::kAttribute : XmlValueIn::kText, replaced);
  changed_ += replaced;
  return at;
}

}  // namespace cw::convert
