#include "convert/xml_writer.h"

#include <gtest/gtest.h>

#include <pugixml.hpp>
#include <string>

namespace cw::convert {
namespace {

using namespace std::string_literals;

// A document of one element holding `value` as its text and as an attribute, as a parser reads
// it back: {text, attribute}.
struct ReadBack {
  std::string text;
  std::string attribute;
  int changed = 0;
};
ReadBack writtenAndParsed(const std::string& value) {
  XmlWriter xml(1);  // grown for every piece
  xml.open("root");
  xml.element("value", value, {{"copy", value}});
  xml.close("root");
  pugi::xml_document document;
  // Text of blanks alone is kept too: a parser that keeps it must get it back.
  const pugi::xml_parse_result parsed =
      document.load_buffer(xml.text().data(), xml.text().size(),
                           pugi::parse_default | pugi::parse_ws_pcdata, pugi::encoding_utf8);
  EXPECT_TRUE(parsed) << parsed.description() << "\n" << xml.text();
  const pugi::xml_node element = document.child("root").child("value");
  return {element.text().get(), element.attribute("copy").value(), xml.changedValues()};
}

TEST(convert_XmlWriterTest, EveryValueComesBackFromAParserExactly) {
  const std::string values[] = {
      "",
      "plain",
      "say \"when\" & 'why'",
      "<tag attr=\"x\">&amp;</tag>",
      "]]> and <![CDATA[",
      "  blanks around  ",
      "   ",
      "line\nbreak",
      "\n\nlines first and last\n",
      "cr lf\r\nand a lone\rcr",
      "tab\tand\t\ttabs",
      "\xC3\xA9t\xC3\xA9, \xE2\x82\xAC, \xE5\x9C\xB0\xE5\x9B\xB3, \xF0\x9F\x97\xBA",
      "delete \x7F and no-break\xC2\xA0space",
      "&#65; &lt; stay as written",
  };
  for (const std::string& value : values) {
    const ReadBack read = writtenAndParsed(value);
    EXPECT_EQ(read.text, value);
    EXPECT_EQ(read.attribute, value);
    EXPECT_EQ(read.changed, 0) << value;
  }
}

TEST(convert_XmlWriterTest, ReplacesWhatXmlCannotHoldAndCountsTheValues) {
  const struct Case {
    std::string value;
    std::string read;
  } cases[] = {
      {"bell\x07", "bell\xEF\xBF\xBD"},
      {"nul\0inside"s, "nul\xEF\xBF\xBDinside"},
      {"\x01\x1F<", "\xEF\xBF\xBD\xEF\xBF\xBD<"},
  };
  for (const Case& c : cases) {
    const ReadBack read = writtenAndParsed(c.value);
    EXPECT_EQ(read.text, c.read);
    EXPECT_EQ(read.attribute, c.read);
    EXPECT_EQ(read.changed, 2) << "the text and the attribute";
  }
}

TEST(convert_XmlWriterTest, LaysOutAsQgisAndPugixmlDo) {
  XmlWriter xml;
  xml.markup("<!DOCTYPE a>\n");
  xml.open("a", {{"k", "v"}});
  xml.element("b", "");
  xml.emptyElement("c");
  xml.close("a");
  EXPECT_EQ(xml.text(), "<!DOCTYPE a>\n<a k=\"v\">\n  <b></b>\n  <c />\n</a>\n");
}

}  // namespace
}  // namespace cw::convert
