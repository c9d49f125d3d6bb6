// corbelwick-convert IN OUT [options]: bookmarks from one file into another, the format of each
// taken from its extension. See docs/converter.md.

#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>
#include <string_view>

#include "convert/bookmark.h"
#include "convert/conversion.h"
#include "huge_page_heap.h"

namespace {

constexpr const char* kUsage =
    "usage: corbelwick-convert IN OUT [--crs CODE] [--program-dir DIR] [--group NAME]\n"
    "  IN, OUT            .bmk (bookmark list), .csv, .geojson, .xml (QGIS), .bkmx (ArcGIS Pro), "
    ".kml\n"
    "  --crs CODE         the reference system of a .bmk or .csv side (EPSG:26910, or any\n"
    "                     definition PROJ accepts)\n"
    "  --program-dir DIR  the bookmarks program directory: read and write the list's layer\n"
    "                     visibilities\n"
    "  --group NAME       convert only this group of IN\n";

int usage(const char* problem) {
  std::fprintf(stderr, "corbelwick-convert: %s\n%s", problem, kUsage);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  cw::convert::ConvertOptions options;
  int positional = 0;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      std::fputs(kUsage, stdout);
      return 0;
    }
    std::string* value = arg == "--crs"           ? &options.crs
                         : arg == "--program-dir" ? &options.programDir
                         : arg == "--group"       ? &options.group
                                                  : nullptr;
    if (value) {
      if (++i == argc) return usage((std::string(arg) + " needs a value").c_str());
      *value = argv[i];
    } else if (arg.starts_with("--")) {
      return usage(("unknown option " + std::string(arg)).c_str());
    } else if (positional == 0) {
      options.input = arg;
      ++positional;
    } else if (positional == 1) {
      options.output = arg;
      ++positional;
    } else {
      return usage("more than two files given");
    }
  }
  if (positional != 2) return usage("give an input and an output file");
  std::error_code unknown;
  const std::uintmax_t inputBytes = std::filesystem::file_size(options.input, unknown);
  // A list's records are short beside what the converter holds of each; markup is long.
  const bool compactInput = options.input.ends_with(".bmk") || options.input.ends_with(".csv");
  const cw::convert_app::HeapPreparation heap(unknown ? 0 : static_cast<std::size_t>(inputBytes),
                                              compactInput ? 10 : 4);

  try {
    for (const std::string& line : cw::convert::Convert(options)) {
      std::printf("%s\n", line.c_str());
    }
    return 0;
  } catch (const cw::convert::InputError& error) {
    std::fprintf(stderr, "corbelwick-convert: %s\n", error.what());
  } catch (const std::exception& error) {
    std::fprintf(stderr, "corbelwick-convert: %s: %s\n", options.input.c_str(), error.what());
  }
  return 1;
}
