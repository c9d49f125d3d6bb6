#pragma once

#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>

// Indented XML written straight as text, laid out as QGIS and pugixml's printer lay it out: two
// blanks a level, an element of only text on one line, an empty element as <tag />.
namespace cw::convert {

struct XmlAttribute {
  std::string_view name;
  std::string_view value;
};

class XmlWriter {
 public:
  explicit XmlWriter(std::size_t capacity = 4096) : buffer_(capacity, '\0') {}

  // Markup of our own, as it is (a declaration, a document type).
  void markup(std::string_view text);
  void open(std::string_view tag, std::initializer_list<XmlAttribute> attributes = {});
  void close(std::string_view tag);
  // <tag>value</tag>, the value escaped.
  void element(std::string_view tag, std::string_view value,
               std::initializer_list<XmlAttribute> attributes = {});
  void emptyElement(std::string_view tag);

  // What is written so far; a writer of a large file passes it on and clears it as it goes.
  std::string_view text() const { return {buffer_.data(), size_}; }
  void clear() { size_ = 0; }
  std::string take();
  // The values written with characters XML cannot hold (replaced by U+FFFD).
  int changedValues() const { return changed_; }

 private:
  // Room for `size` more characters; returns where they go.
  char* room(std::size_t size);
  char* put(char* at, std::string_view text);
  char* indent(char* at) const;
  char* startTag(char* at, std::string_view tag, std::initializer_list<XmlAttribute> attributes);
  char* escaped(char* at, std::string_view value, bool attribute);
  std::size_t roomFor(std::string_view tag, std::initializer_list<XmlAttribute> attributes) const;

  std::string buffer_;  // written up to size_; the rest is room
  std::size_t size_ = 0;
  std::size_t depth_ = 0;
  int changed_ = 0;
};

}  // namespace cw::convert
