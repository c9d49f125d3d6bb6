#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include "host/host.h"
#include "store/list_reading.h"

// What the converter carries from one file to another: every bookmark with what any of the
// formats can hold of it.
namespace cw::convert {

using LayerVisibility = store::LayerRecord;

struct Bookmark {
  std::string group;  // "" when the source holds none
  std::string name;
  std::string description;
  host::Envelope extent;
  std::string crs;  // a definition PROJ accepts; "" where the source names none (lists, CSV)
  std::vector<LayerVisibility> layers;
  double rotation = 0;  // degrees, as QGIS keeps it
};
using Bookmarks = std::vector<Bookmark>;

// A file that cannot be converted, said in one line: the file, the place in it, what is wrong.
class InputError : public std::runtime_error {
 public:
  InputError(const std::string& file, const std::string& place, const std::string& what)
      : std::runtime_error(file + ": " + (place.empty() ? std::string() : place + ": ") + what) {}
};

}  // namespace cw::convert
