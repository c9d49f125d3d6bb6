#include "platform/file_slots.h"

#include <exception>

#include "base/failure.h"

namespace cw::platform {

ByteReader::ByteReader(std::unique_ptr<InputStream> stream)
    : stream_(std::move(stream)), buffer_(new char[kBufferSize]) {}

bool ByteReader::refill() {
  if (ended_) return false;
  const bool startOfFile = size_ == 0;  // every later refill follows a non-empty buffer
  pos_ = 0;
  size_ = stream_->read(buffer_.get(), kBufferSize);
  if (size_ == 0) ended_ = true;
  // A short first read must not split a byte-order mark: the first three bytes come together.
  while (startOfFile && size_ > 0 && size_ < 3) {
    const std::size_t more = stream_->read(buffer_.get() + size_, kBufferSize - size_);
    if (more == 0) break;
    size_ += more;
  }
  // A UTF-8 byte-order mark that an editor put before the text is no part of the first field.
  if (startOfFile && std::string_view(buffer_.get(), size_).starts_with("\xEF\xBB\xBF")) pos_ = 3;
  return size_ > pos_;
}

namespace {

std::string numberText(int number) {
  return std::to_string(number);
}

[[noreturn]] void failBadNumber(int number) {
  throw Failure(err::kBadFileNameOrNumber, "Bad file name or number: file number " +
                                               numberText(number) + " is not one of 1 to 3");
}

}  // namespace

FileSlots::Slot& FileSlots::slot(int number) {
  if (number < 1 || number > kCount) failBadNumber(number);
  return slots_[number - 1];
}

const FileSlots::Slot& FileSlots::slot(int number) const {
  if (number < 1 || number > kCount) failBadNumber(number);
  return slots_[number - 1];
}

void FileSlots::openForInput(int number, const std::string& path) {
  Slot& s = slot(number);
  if (s.reader || s.writer) {
    throw Failure(err::kFileAlreadyOpen,
                  "File already open: file number " + numberText(number) + " for " + path);
  }
  s.reader = std::make_unique<ByteReader>(fs_.openRead(path));
}

void FileSlots::openForAppend(int number, const std::string& path) {
  Slot& s = slot(number);
  if (s.reader || s.writer) {
    throw Failure(err::kFileAlreadyOpen,
                  "File already open: file number " + numberText(number) + " for " + path);
  }
  s.writer = fs_.openAppend(path);
}

void FileSlots::close(int number) {
  Slot& s = slot(number);
  s.reader.reset();
  // The slot is free even when the final write fails; the failure still reaches the caller.
  std::unique_ptr<OutputStream> writer = std::move(s.writer);
  if (writer) writer->close();
}

void FileSlots::closeAll() {
  // Every number is closed even when one of them fails; the first failure is passed on.
  std::exception_ptr first;
  for (int number = 1; number <= kCount; ++number) {
    try {
      close(number);
    } catch (const Failure&) {
      if (!first) first = std::current_exception();
    }
  }
  if (first) std::rethrow_exception(first);
}

bool FileSlots::isOpen(int number) const {
  const Slot& s = slot(number);
  return s.reader || s.writer;
}

ByteReader& FileSlots::failReader(int number) {
  Slot& s = slot(number);
  if (s.writer) {
    throw Failure(err::kBadFileMode,
                  "Bad file mode: file number " + numberText(number) + " is open for appending");
  }
  throw Failure(err::kBadFileNameOrNumber,
                "Bad file name or number: file number " + numberText(number) + " is not open");
}

OutputStream& FileSlots::writer(int number) {
  Slot& s = slot(number);
  if (s.writer) return *s.writer;
  if (s.reader) {
    throw Failure(err::kBadFileMode,
                  "Bad file mode: file number " + numberText(number) + " is open for input");
  }
  throw Failure(err::kBadFileNameOrNumber,
                "Bad file name or number: file number " + numberText(number) + " is not open");
}

bool FileSlots::holds(int number, const OutputStream& stream) const {
  return number >= 1 && number <= kCount && slots_[number - 1].writer.get() == &stream;
}

AppendTransaction::AppendTransaction(FileSlots& files, int number)
    : files_(files), number_(number), stream_(files.writer(number)), start_(stream_.size()) {}

AppendTransaction::~AppendTransaction() {
  // Still open: the routine failed before its commit. The failure that got us here is the one
  // to report, so a failed truncation is not reported on top of it.
  if (committed_ || !files_.holds(number_, stream_)) return;
  try {
    stream_.truncate(start_);
  } catch (const Failure&) {
  }
}

void AppendTransaction::commit() {
  stream_.flush();
  committed_ = true;
}

void replaceFileContent(FileSystem& fs, const std::string& path, std::string_view bytes) {
  replaceFileContentWith(fs, path, [bytes](OutputStream& out) { out.write(bytes); });
}

void replaceFileContentWith(FileSystem& fs, const std::string& path,
                            const std::function<void(OutputStream&)>& write) {
  const std::string fresh = path + ".new";
  try {
    std::unique_ptr<OutputStream> out = fs.openNew(fresh);
    write(*out);
    out->flush();
    out->close();
    fs.replaceFile(fresh, path);
  } catch (...) {
    try {
      if (fs.fileExists(fresh)) fs.deleteFile(fresh);
    } catch (const Failure&) {
      // The failure being passed on is the one to report.
    }
    throw;
  }
}

}  // namespace cw::platform
