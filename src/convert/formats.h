#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace cw::convert {

enum class Format { kList, kCsv, kGeoJson, kQgisXml, kArcGisPro, kKml };

// What a format can hold beyond a named extent in a group, for the report of what was dropped.
struct FormatTraits {
  const char* extension;
  bool descriptions;
  bool layerVisibilities;
  bool rotation;
};
const FormatTraits& traitsOf(Format format);

// The format a file is in, by its extension (case ignored); none for an unknown one.
std::optional<Format> formatOfPath(std::string_view path);
// ".bmk, .csv, ..." for messages.
std::string knownExtensions();

}  // namespace cw::convert
