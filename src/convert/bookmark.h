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
// Line ends and other control characters of the file's text that a message quotes are shown
// escaped ("\n"), so the message stays one line.
class InputError : public std::runtime_error {
 public:
  InputError(const std::string& file, const std::string& place, const std::string& what)
      : std::runtime_error(
            oneLine(file + ": " + (place.empty() ? std::string() : place + ": ") + what)) {}

 private:
  static std::string oneLine(const std::string& text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string line;
    line.reserve(text.size());
    for (char c : text) {
      const auto code = static_cast<unsigned char>(c);
      if (c == '\n') {
        line += "\\n";
      } else if (c == '\r') {
        line += "\\r";
      } else if (c == '\t') {
        line += "\\t";
      } else if (code < 0x20 || code == 0x7F) {
        line += "\\x";
        line += kHex[code >> 4];
        line += kHex[code & 15];
      } else {
        line += c;
      }
    }
    return line;
  }
};

}  // namespace cw::convert
