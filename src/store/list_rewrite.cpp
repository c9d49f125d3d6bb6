#include "store/list_rewrite.h"

#include <memory>
#include <string_view>
#include <utility>

#include "errors/error_trap.h"
#include "platform/file_slots.h"
#include "platform/file_system.h"

namespace cw::store {

namespace {

// The temporary file lies beside the list, so replacing the list with it is a rename within
// one directory.
std::string temporaryPathFor(const std::string& listPath) {
  return listPath + ".bookmarks_temp";
}

// Writes formatted records to a fresh temporary file in large pieces.
class TemporaryList {
 public:
  static constexpr std::size_t kChunk = 64 * 1024;

  TemporaryList(platform::FileSystem& fs, std::string path) : fs_(fs), path_(std::move(path)) {
    // A new, empty file: whatever an earlier, failed rewrite left under this name is dropped.
    stream_ = fs_.openNew(path_);
  }
  ~TemporaryList() { discard(); }

  void add(const Record& record) {
    pending_ += formatRecord(record);
    if (pending_.size() >= kChunk) writePending();
  }
  // A line already in the writer's form.
  void addLine(std::string_view line) {
    pending_ += line;
    if (pending_.size() >= kChunk) writePending();
  }

  // Makes the records durable and puts the file in place of the list.
  void replace(const std::string& listPath) {
    writePending();
    stream_->flush();
    stream_->close();
    stream_.reset();
    fs_.replaceFile(path_, listPath);
    replaced_ = true;
  }

 private:
  void writePending() {
    if (pending_.empty()) return;
    stream_->write(pending_);
    pending_.clear();
  }

  // After a failure the temporary file goes; the list was not touched.
  void discard() {
    if (replaced_) return;
    errors::ignoreFailure([&] {
      if (stream_) stream_->close();
    });
    stream_.reset();
    errors::ignoreFailure([&] {
      if (fs_.fileExists(path_)) fs_.deleteFile(path_);
    });
  }

  platform::FileSystem& fs_;
  std::string path_;
  std::unique_ptr<platform::OutputStream> stream_;
  std::string pending_;
  bool replaced_ = false;
};

// Reads the next record into `record`, and into `line` as the record writer writes it; false
// when some field is not in the writer's form, so the record must be formatted again.
bool readRecordAsWritten(FieldReader& reader, Record& record, std::string& line) {
  line.clear();
  bool asWritten = true;
  for (int i = 0; i < kFieldsPerRecord; ++i) {
    if (i) line += ',';
    record[i] = reader.next(line, asWritten);
  }
  if (asWritten) line += "\r\n";
  return asWritten;
}

}  // namespace

void RewriteList(platform::FileSystem& fs, const std::string& listPath,
                 const std::function<bool(const Record&)>& keep) {
  TemporaryList temporary(fs, temporaryPathFor(listPath));
  {
    platform::ByteReader bytes(fs.openRead(listPath));
    FieldReader reader(bytes);
    // Most records are on disk just as the writer writes them; those are copied as read, and
    // only the others are formatted again.
    std::string line;
    Record record;
    while (!reader.atEnd()) {
      const bool asWritten = readRecordAsWritten(reader, record, line);
      if (!keep(record)) continue;
      if (asWritten) {
        temporary.addLine(line);
      } else {
        temporary.add(record);
      }
    }
  }  // the list is closed before it is replaced
  temporary.replace(listPath);
}

void ReplaceListContent(platform::FileSystem& fs, const std::string& listPath,
                        const std::vector<Record>& records) {
  TemporaryList temporary(fs, temporaryPathFor(listPath));
  for (const Record& record : records) temporary.add(record);
  temporary.replace(listPath);
}

void CopyRecords(platform::FileSlots& files, int from, int to) {
  FieldReader reader(files.reader(from));
  std::string line;
  Record record;
  while (!reader.atEnd()) {
    if (readRecordAsWritten(reader, record, line)) {
      files.writer(to).write(line);
    } else {
      writeRecord(files, to, record);
    }
  }
}

}  // namespace cw::store
