#include "convert/json_text.h"

#include "convert/text_place.h"

namespace cw::convert {

namespace {

// The parser's own words without its "[json.exception...]" prefix.
std::string whatOf(const nlohmann::json::exception& error) {
  std::string what = error.what();
  const std::size_t colon = what.find("] ");
  return colon == std::string::npos ? what : what.substr(colon + 2);
}

}  // namespace

nlohmann::json parseJson(std::string_view text, const std::string& file) {
  try {
    return nlohmann::json::parse(text.begin(), text.end());
  } catch (const nlohmann::json::parse_error& error) {
    std::string what = whatOf(error);
    // "parse error at line 2, column 3: ..." says the place itself; the line leads the message.
    what = what.substr(what.find(": ") == std::string::npos ? 0 : what.find(": ") + 2);
    throw InputError(file, lineAt(text, error.byte ? error.byte - 1 : 0), "not JSON: " + what);
  } catch (const nlohmann::json::exception& error) {
    throw InputError(file, "", "not JSON this converter reads: " + whatOf(error));
  }
}

}  // namespace cw::convert
