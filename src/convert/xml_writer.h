#pragma once

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
  explicit XmlWriter(int depth = 0) : depth_(depth) {}

  // Markup of our own, as it is (a declaration, a document type).
  void markup(std::string_view text) { text_ += text; }
  void open(std::string_view tag, std::initializer_list<XmlAttribute> attributes = {});
  void close(std::string_view tag);
  // <tag>value</tag>, the value escaped.
  void element(std::string_view tag, std::string_view value,
               std::initializer_list<XmlAttribute> attributes = {});
  void emptyElement(std::string_view tag);

  // What is written so far; a writer of a large file passes it on and clears it as it goes.
  std::string& text() { return text_; }
  // The values written with characters XML cannot hold (replaced by U+FFFD).
  int changedValues() const { return changed_; }

 private:
  void startTag(std::string_view tag, std::initializer_list<XmlAttribute> attributes);
  void escaped(std::string_view value, bool attribute);

  std::string text_;
  int depth_;
  int changed_ = 0;
};

}  // namespace cw::convert
