#include "list_generator.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>
#include <random>
#include <string_view>
#include <vector>

#include "store/ansi.h"
#include "store/list_format.h"

namespace cw::bench {

namespace {

constexpr std::uint64_t kSeed = 0x5EED'C0DE'0219'0038;
constexpr std::size_t kWriteChunk = 1 << 20;

// Draws from the engine's raw output only, whose sequence the language fixes, so the lists do
// not depend on the standard library's distributions.
class Random {
 public:
  double unit() { return static_cast<double>(engine_() >> 11) * 0x1.0p-53; }
  double between(double low, double high) { return low + (high - low) * unit(); }
  std::int64_t below(std::int64_t count) {
    return static_cast<std::int64_t>(engine_() % static_cast<std::uint64_t>(count));
  }
  bool chance(double probability) { return unit() < probability; }
  // Spread over orders of magnitude, as map scales are.
  double logBetween(double low, double high) {
    return std::exp(between(std::log(low), std::log(high)));
  }

 private:
  std::mt19937_64 engine_{kSeed};
};

enum class Projection { kGeographic, kUtm, kWebMercator, kStatePlaneFeet, kNullIsland };

// Where a group's bookmarks lie: one map area in one coordinate system.
struct Area {
  Projection projection = Projection::kGeographic;
  double centreX = 0;
  double centreY = 0;
  double minWidth = 1;
  double maxWidth = 1;
};

struct Group {
  std::string name;  // ANSI bytes, as in the file
  Area area;
  bool withdrawn = false;
};

// Names hold a counter, so every group and every bookmark name is unique; some hold letters of
// the ANSI code page beyond ASCII and some differ from others only in case.
constexpr std::string_view kGroupThemes[] = {
    "Parks",       "Roads",    "harbour works", "Schools",   "WATER MAINS",     "Survey",
    "Flood zones", "Zoning",   "Trails",        "Utilities", "Caf\xE9s",        "Z\xFCrich sites",
    "Bridges",     "wetlands", "Rail",          "Parcels",   "Street lighting", "Bus routes"};
constexpr std::string_view kGroupQualifiers[] = {"North",   "South", "East",    "West",
                                                 "Central", "2019",  "archive", "Phase II",
                                                 "Draft",   "Final", "review",  "Site visits"};
constexpr std::string_view kPlaces[] = {
    "Alder Creek", "Riverside",     "Old Mill",      "Harbour Point", "St. Mary's",    "Lake View",
    "Hill Top",    "Cr\xEAte Road", "Market Square", "Station",       "Bay",           "Quarry",
    "North Gate",  "Fennigate",     "Kingsway",      "Mill Lane",     "Sa\xF1o Plaza", "Weir"};
constexpr std::string_view kViews[] = {"Bridge", "Junction", "overview", "Detail",
                                       "site",   "Inlet",    "Block",    "Crossing",
                                       "extent", "Outfall",  "Car park", "Sheet"};

template <std::size_t N>
std::string_view pick(Random& random, const std::string_view (&words)[N]) {
  return words[random.below(static_cast<std::int64_t>(N))];
}

Area drawArea(Random& random) {
  Area area;
  double kind = random.unit();
  if (kind < 0.005) {
    // Extents around (0, 0): values so small that they are written in exponent form.
    area = {Projection::kNullIsland, 0, 0, 1e-7, 1e-5};
  } else if (kind < 0.40) {
    area = {Projection::kGeographic, random.between(-179, 179), random.between(-70, 70), 0.0005,
            2.0};
  } else if (kind < 0.65) {
    area = {Projection::kUtm, random.between(200000, 800000), random.between(100000, 9200000), 50,
            50000};
  } else if (kind < 0.90) {
    area = {Projection::kWebMercator, random.between(-19e6, 19e6), random.between(-15e6, 15e6), 100,
            200000};
  } else {
    area = {Projection::kStatePlaneFeet, random.between(1e6, 7e6), random.between(1e5, 2e6), 200,
            100000};
  }
  return area;
}

// Bookmarks per group: mostly small groups, some large, a few very large ones; never so large
// that the second half of the file holds no new group.
std::int64_t drawGroupSize(Random& random, std::int64_t records) {
  double kind = random.unit();
  std::int64_t size;
  if (kind < 0.60) {
    size = 1 + random.below(20);
  } else if (kind < 0.90) {
    size = 20 + random.below(130);
  } else if (kind < 0.99) {
    size = 150 + random.below(850);
  } else {
    size = 1000 + random.below(4000);
  }
  return std::min(size, std::max<std::int64_t>(1, records / 20));
}

// Most numbers as the system writes them (up to 15 significant digits); some in exponent form,
// as another program may have written them.
std::string number(Random& random, double value) {
  if (!random.chance(0.03) || value == 0) return store::formatNumber(value);
  char buffer[64];
  auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 14);
  std::string text(buffer, result.ptr);
  std::replace(text.begin(), text.end(), 'e', 'E');
  return text;
}

std::string quoted(std::string_view text) {
  std::string out;
  out.reserve(text.size() + 2);
  out += '"';
  out += text;
  out += '"';
  return out;
}

std::string headerLine() {
  std::string line = quoted(store::kFormatTag);
  for (int i = 1; i < store::kFieldsPerRecord; ++i) line += "," + quoted(store::kFormatTag);
  return line + "\r\n";
}

std::string groupLine(const std::string& group) {
  std::string line = quoted(group);
  for (int i = 1; i < store::kFieldsPerRecord; ++i) line += "," + quoted(store::kGroupFiller);
  return line + "\r\n";
}

class ListWriter {
 public:
  explicit ListWriter(std::ostream& out) : out_(out) { pending_.reserve(kWriteChunk + 4096); }
  ~ListWriter() { flush(); }
  void line(const std::string& text) {
    pending_ += text;
    bytes_ += static_cast<std::int64_t>(text.size());
    if (pending_.size() >= kWriteChunk) flush();
  }
  void flush() {
    out_.write(pending_.data(), static_cast<std::streamsize>(pending_.size()));
    pending_.clear();
  }
  std::int64_t bytes() const { return bytes_; }

 private:
  std::ostream& out_;
  std::string pending_;
  std::int64_t bytes_ = 0;
};

class Generator {
 public:
  Generator(std::int64_t records, std::ostream& out) : records_(records), writer_(out) {}

  GeneratedList run() {
    const std::int64_t middle = records_ / 2;
    const std::vector<std::int64_t> removals = {records_ * 11 / 100, records_ * 23 / 100,
                                                records_ * 37 / 100, records_ * 61 / 100,
                                                records_ * 79 / 100, records_ * 88 / 100};
    std::size_t nextRemoval = 0;
    for (std::int64_t index = 0; index < records_; ++index) {
      if (index == 0 || index == middle) {
        writer_.line(headerLine());
      } else if (nextRemoval < removals.size() && index == removals[nextRemoval]) {
        writeRemoval(nextRemoval++ % 2 == 0);
      } else if (index == records_ - 1) {
        writeBookmark(current_);  // the file ends on a bookmark of the newest group
      } else if (remaining_ == 0 || groups_.empty()) {
        startGroup(index > middle);
      } else if (groups_.size() > 1 && random_.chance(0.06)) {
        // A bookmark added later to an older group.
        writeBookmark(static_cast<std::size_t>(random_.below(current_)));
      } else {
        writeBookmark(current_);
        --remaining_;
      }
    }
    writer_.flush();
    return summary();
  }

 private:
  void startGroup(bool afterMiddle) {
    Group group;
    group.name = std::string(pick(random_, kGroupThemes)) + " " +
                 std::string(pick(random_, kGroupQualifiers)) + " " + std::to_string(++counter_);
    group.area = drawArea(random_);
    groups_.push_back(std::move(group));
    current_ = groups_.size() - 1;
    remaining_ = drawGroupSize(random_, records_);
    writer_.line(groupLine(groups_.back().name));
    if (afterMiddle && !middle_) middle_ = current_;
  }

  void writeBookmark(std::size_t groupIndex) {
    const Group& group = groups_[groupIndex];
    std::string name = std::string(pick(random_, kPlaces)) + " " +
                       std::string(pick(random_, kViews)) + " " + std::to_string(++counter_);
    const Area& area = group.area;
    double width = random_.logBetween(area.minWidth, area.maxWidth);
    double height = width * random_.between(0.5, 1.0);
    double xMin = area.centreX + random_.between(-20, 20) * width - width / 2;
    double yMin = area.centreY + random_.between(-20, 20) * height - height / 2;
    if (area.projection == Projection::kGeographic) {
      xMin = std::clamp(xMin, -180.0, 180.0 - width);
      yMin = std::clamp(yMin, -90.0, 90.0 - height);
    }
    std::array<double, 4> extent{xMin, yMin, xMin + width, yMin + height};
    std::string line = quoted(group.name) + "," + quoted(name);
    for (double value : extent) line += "," + number(random_, value);
    line += ",,,,\r\n";
    writer_.line(line);

    lastGroup_ = groupIndex;
    lastBookmark_ = name;
    lastExtent_ = extent;
    if (middle_ && groupIndex == *middle_) middleBookmarks_.push_back(name);
  }

  // Withdraws an older group, or the bookmark written just before; never what the benchmarks
  // select, zoom to or remove.
  void writeRemoval(bool wholeGroup) {
    if (wholeGroup && current_ > 1) {
      std::size_t target = static_cast<std::size_t>(random_.below(current_));
      if ((!middle_ || target != *middle_) && !groups_[target].withdrawn) {
        groups_[target].withdrawn = true;
        writer_.line(quoted(groups_[target].name) + "," + quoted(store::kRemovalMarker) +
                     ",,,,,,,,\r\n");
        return;
      }
    }
    if (!wholeGroup && !lastBookmark_.empty() && !(middle_ && lastGroup_ == *middle_)) {
      writer_.line(quoted(groups_[lastGroup_].name) + "," + quoted(lastBookmark_) + "," +
                   quoted(store::kRemovalMarker) + ",,,,,,,\r\n");
      return;
    }
    writeBookmark(current_);
  }

  GeneratedList summary() const {
    GeneratedList list;
    list.records = records_;
    list.bytes = writer_.bytes();
    list.groups = static_cast<std::int64_t>(groups_.size());
    list.listedGroups = static_cast<std::int64_t>(
        std::count_if(groups_.begin(), groups_.end(), [](const Group& g) { return !g.withdrawn; }));
    if (middle_) {
      list.middleGroup = store::ansiToUtf8(groups_[*middle_].name);
      list.middleGroupSize = static_cast<std::int64_t>(middleBookmarks_.size());
      if (!middleBookmarks_.empty()) {
        list.middleBookmark = store::ansiToUtf8(middleBookmarks_[middleBookmarks_.size() / 2]);
      }
    }
    list.lastGroup = store::ansiToUtf8(groups_[lastGroup_].name);
    list.lastBookmark = store::ansiToUtf8(lastBookmark_);
    list.lastExtent = lastExtent_;
    return list;
  }

  const std::int64_t records_;
  ListWriter writer_;
  Random random_;
  std::vector<Group> groups_;
  std::size_t current_ = 0;
  std::int64_t remaining_ = 0;
  std::int64_t counter_ = 0;
  std::optional<std::size_t> middle_;
  std::vector<std::string> middleBookmarks_;
  std::size_t lastGroup_ = 0;
  std::string lastBookmark_;
  std::array<double, 4> lastExtent_{};
};

}  // namespace

GeneratedList generateList(std::int64_t records, std::ostream& out) {
  return Generator(std::max<std::int64_t>(records, 100), out).run();
}

}  // namespace cw::bench
