#pragma once

#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

#include "convert/bookmark.h"

namespace cw::convert {

// Parses a JSON document; malformed JSON, and numbers beyond a double, fail with the file (and
// the line, where the parser knows it).
nlohmann::json parseJson(std::string_view text, const std::string& file);

}  // namespace cw::convert
