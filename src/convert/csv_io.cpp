#include "convert/csv_io.h"

#include <array>
#include <cctype>
#include <vector>

#include "convert/extent_check.h"
#include "convert/numbers.h"

namespace cw::convert {

namespace {

constexpr std::array<std::string_view, 6> kColumns{"group", "name", "xmin", "ymin", "xmax", "ymax"};

// Reads RFC 4180 records: fields split by commas, quoted fields with doubled quotes, lines
// ended by CR LF or LF (also inside quotes, where they belong to the field).
class CsvReader {
 public:
  CsvReader(std::string_view text, const std::string& file) : text_(text), file_(file) {
    if (text_.starts_with("\xEF\xBB\xBF")) text_.remove_prefix(3);
  }
  bool atEnd() const { return at_ >= text_.size(); }
  int line() const { return line_; }

  std::vector<std::string> record() {
    std::vector<std::string> fields(1);
    startLine_ = line_;
    while (at_ < text_.size()) {
      const char c = text_[at_];
      if (c == '"' && fields.back().empty() && !quotedBefore_) {
        readQuoted(fields.back());
      } else if (c == ',') {
        ++at_;
        fields.emplace_back();
        quotedBefore_ = false;
      } else if (c == '\r' || c == '\n') {
        at_ += (c == '\r' && at_ + 1 < text_.size() && text_[at_ + 1] == '\n') ? 2 : 1;
        ++line_;
        break;
      } else if (quotedBefore_) {
        throw InputError(file_, "line " + std::to_string(line_),
                         "text after a closing quote (a quote inside a field is written \"\")");
      } else {
        fields.back() += c;
        ++at_;
      }
    }
    quotedBefore_ = false;
    return fields;
  }
  int recordLine() const { return startLine_; }

 private:
  void readQuoted(std::string& field) {
    const int opened = line_;
    ++at_;
    for (;;) {
      if (at_ >= text_.size()) {
        throw InputError(file_, "line " + std::to_string(opened),
                         "a quoted field has no closing quote");
      }
      const char c = text_[at_++];
      if (c == '"') {
        if (at_ < text_.size() && text_[at_] == '"') {
          field += '"';
          ++at_;
          continue;
        }
        quotedBefore_ = true;
        return;
      }
      if (c == '\n') ++line_;
      field += c;
    }
  }

  std::string_view text_;
  const std::string& file_;
  std::size_t at_ = 0;
  int line_ = 1;
  int startLine_ = 1;
  bool quotedBefore_ = false;
};

bool isHeader(const std::vector<std::string>& fields) {
  if (fields.size() != kColumns.size()) return false;
  for (std::size_t i = 0; i < kColumns.size(); ++i) {
    std::string lower;
    for (char c : fields[i]) {
      if (c != ' ') lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    if (lower != kColumns[i]) return false;
  }
  return true;
}

void appendField(std::string& out, std::string_view value) {
  const bool quote = value.find_first_of(",\"\r\n") != std::string_view::npos ||
                     (!value.empty() && (value.front() == ' ' || value.back() == ' '));
  if (!quote) {
    out += value;
    return;
  }
  out += '"';
  for (char c : value) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
}

}  // namespace

Bookmarks readCsv(std::string_view text, const std::string& file) {
  CsvReader reader(text, file);
  if (!isHeader(reader.record())) {
    throw InputError(file, "line 1", "the header line is not \"group,name,xmin,ymin,xmax,ymax\"");
  }
  Bookmarks bookmarks;
  while (!reader.atEnd()) {
    std::vector<std::string> fields = reader.record();
    const std::string place = "line " + std::to_string(reader.recordLine());
    if (fields.size() == 1 && fields[0].empty()) continue;  // a blank line
    if (fields.size() != kColumns.size()) {
      throw InputError(file, place,
                       std::to_string(fields.size()) + " fields where the header has 6");
    }
    Bookmark bookmark;
    bookmark.group = std::move(fields[0]);
    bookmark.name = std::move(fields[1]);
    double values[4];
    for (int i = 0; i < 4; ++i) {
      auto value = parseFinite(fields[2 + i]);
      if (!value) {
        throw InputError(
            file, place,
            std::string(kColumns[2 + i]) + " \"" + fields[2 + i] + "\" is not a finite number");
      }
      values[i] = *value;
    }
    bookmark.extent = {values[0], values[1], values[2], values[3]};
    checkExtent(bookmark.extent, file, place);
    bookmarks.push_back(std::move(bookmark));
  }
  return bookmarks;
}

std::string writeCsv(const Bookmarks& bookmarks) {
  std::string out = "group,name,xmin,ymin,xmax,ymax\r\n";
  for (const Bookmark& b : bookmarks) {
    appendField(out, b.group);
    out += ',';
    appendField(out, b.name);
    for (double value : {b.extent.XMin, b.extent.YMin, b.extent.XMax, b.extent.YMax}) {
      out += ',';
      out += exactText(value);
    }
    out += "\r\n";
  }
  return out;
}

}  // namespace cw::convert
