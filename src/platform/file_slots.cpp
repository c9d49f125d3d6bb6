#include "platform/file_slots.h"

#include <exception>

#include "errors/failure.h"

namespace cw::platform {

ByteReader::ByteReader(std::unique_ptr<InputStream> stream)
    : stream_(std::move(stream)), buffer_(new char[kBufferSize]) {}

bool ByteReader::refill() {
  if (ended_) return false;
  pos_ = 0;
  size_ = stream_->read(buffer_.get(), kBufferSize);
  if (size_ == 0) ended_ = true;
  return size_ > 0;
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

}  // namespace cw::platform
