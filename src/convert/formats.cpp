#include "convert/formats.h"

#include <array>
#include <cctype>
#include <stdexcept>

namespace cw::convert {

namespace {

struct Entry {
  Format format;
  FormatTraits traits;
};

constexpr std::array<Entry, 6> kFormats{{
    {Format::kList, {".bmk", false, true, false}},
    {Format::kCsv, {".csv", false, false, false}},
    {Format::kGeoJson, {".geojson", true, true, false}},
    {Format::kQgisXml, {".xml", false, false, true}},
    {Format::kArcGisPro, {".bkmx", true, false, false}},
    {Format::kKml, {".kml", true, true, false}},
}};

bool endsWithIgnoringCase(std::string_view text, std::string_view end) {
  if (text.size() < end.size()) return false;
  text = text.substr(text.size() - end.size());
  for (std::size_t i = 0; i < end.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(text[i])) != end[i]) return false;
  }
  return true;
}

}  // namespace

const FormatTraits& traitsOf(Format format) {
  for (const Entry& entry : kFormats) {
    if (entry.format == format) return entry.traits;
  }
  throw std::logic_error("a format without traits");
}

std::optional<Format> formatOfPath(std::string_view path) {
  for (const Entry& entry : kFormats) {
    if (endsWithIgnoringCase(path, entry.traits.extension)) return entry.format;
  }
  return std::nullopt;
}

std::string knownExtensions() {
  std::string list;
  for (const Entry& entry : kFormats) {
    if (!list.empty()) list += ", ";
    list += entry.traits.extension;
  }
  return list;
}

}  // namespace cw::convert
