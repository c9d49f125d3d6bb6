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

namespace {

nlohmann::json parse(std::string_view text, const std::string& file,
                     const nlohmann::json::parser_callback_t& callback) {
  try {
    return nlohmann::json::parse(text.begin(), text.end(), callback);
  } catch (const nlohmann::json::parse_error& error) {
    std::string what = whatOf(error);
    // "parse error at line 2, column 3: ..." says the place itself; the line leads the message.
    what = what.substr(what.find(": ") == std::string::npos ? 0 : what.find(": ") + 2);
    throw InputError(file, lineAt(text, error.byte ? error.byte - 1 : 0), "not JSON: " + what);
  } catch (const nlohmann::json::exception& error) {
    throw InputError(file, "", "not JSON this converter reads: " + whatOf(error));
  }
}

}  // namespace

nlohmann::json parseJson(std::string_view text, const std::string& file) {
  return parse(text, file, nullptr);
}

nlohmann::json parseJsonItemByItem(std::string_view text, const std::string& file,
                                   std::string_view key,
                                   const std::function<void(nlohmann::json&)>& each,
                                   bool& keyHeldArray) {
  using Event = nlohmann::json::parse_event_t;
  keyHeldArray = false;
  bool keyNext = false;  // the top-level key just read is `key`
  bool inItems = false;
  // Depth 1 is the top-level object's members, depth 2 the items of an array among them.
  return parse(text, file, [&](int depth, Event event, nlohmann::json& parsed) {
    if (depth == 1) {
      if (event == Event::key) {
        keyNext = parsed.is_string() && parsed.get_ref<const std::string&>() == key;
      } else if (event == Event::array_start) {
        inItems = keyNext;
        keyHeldArray = keyHeldArray || keyNext;
      } else if (event == Event::array_end) {
        inItems = false;
      }
      return true;
    }
    if (depth == 2 && inItems &&
        (event == Event::value || event == Event::object_end || event == Event::array_end)) {
      each(parsed);
      return false;  // handed on, not kept
    }
    return true;
  });
}

}  // namespace cw::convert
