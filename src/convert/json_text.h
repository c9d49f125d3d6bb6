#pragma once

#include <functional>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

#include "convert/bookmark.h"

namespace cw::convert {

// Parses a JSON document; malformed JSON, and numbers beyond a double, fail with the file (and
// the line, where the parser knows it).
nlohmann::json parseJson(std::string_view text, const std::string& file);

// The same for a document whose top-level object holds its many items in an array under `key`
// ("features"): each item is handed to `each`, in order, once it is parsed, and not kept, so the
// document is never held whole. The document comes back without those items; `keyHeldArray`
// says whether `key` held an array.
nlohmann::json parseJsonItemByItem(std::string_view text, const std::string& file,
                                   std::string_view key,
                                   const std::function<void(nlohmann::json&)>& each,
                                   bool& keyHeldArray);

}  // namespace cw::convert
