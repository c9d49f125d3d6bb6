#include "list_box_names.h"

#include <map>
#include <random>
#include <string_view>
#include <utility>

namespace cw::bench {

namespace {

constexpr std::string_view kWords[] = {"Parks",  "roads",    "Harbour", "SCHOOLS",  "Survey",
                                       "zoning", "Trails",   "Bridges", "wetlands", "Rail",
                                       "Alder",  "market",   "Station", "QUARRY",   "Mill",
                                       "weir",   "Kingsway", "North",   "south",    "Central"};
constexpr std::size_t kWordCount = sizeof kWords / sizeof kWords[0];

std::vector<std::string> makeNames(int count) {
  std::mt19937_64 engine(0x11'57B0'0000'0100);
  std::vector<std::string> names;
  names.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    std::string name(kWords[engine() % kWordCount]);
    name += ' ';
    name += kWords[engine() % kWordCount];
    name += ' ';
    name += std::to_string(i);
    names.push_back(std::move(name));
  }
  // Shuffled with the engine's raw output, so the order does not depend on the library.
  for (std::size_t i = names.size(); i > 1; --i) std::swap(names[i - 1], names[engine() % i]);
  return names;
}

}  // namespace

const std::vector<std::string>& listBoxNames(int count) {
  static std::map<int, std::vector<std::string>> cache;
  auto it = cache.find(count);
  if (it == cache.end()) it = cache.emplace(count, makeNames(count)).first;
  return it->second;
}

}  // namespace cw::bench
