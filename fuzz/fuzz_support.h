#pragma once

// What the fuzz targets share: the checks that turn a wrong behaviour into a crash the fuzzer
// keeps, and the whole system on temporary drives for the targets that drive the window.

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "frontends/headless/headless_toolkit.h"
#include "platform/file_slots.h"
#include "support/scratch_folder.h"
#include "support/test_app.h"

namespace cw::fuzz {

// The targets that drive the window make their temporary drives afresh for every input. Every
// durable write syncs the disk, so they live in memory when the machine offers it (unless the
// caller chose a directory): a few milliseconds an input instead of tens.
inline const bool kTemporaryDrivesInMemory = testing::useMemoryForScratch(false);

// The transcript of the system under test, shown when a check fails.
inline const std::vector<std::string>*& shownTranscript() {
  static const std::vector<std::string>* transcript = nullptr;
  return transcript;
}

// Stops the run with a readable reason; libFuzzer keeps the input as a crash.
[[noreturn]] inline void fail(std::string_view what, std::string_view detail = {}) {
  std::fprintf(stderr, "FUZZ CHECK FAILED: %.*s\n%.*s\n", static_cast<int>(what.size()),
               what.data(), static_cast<int>(detail.size()), detail.data());
  if (shownTranscript()) {
    for (const std::string& line : *shownTranscript()) std::fprintf(stderr, "| %s\n", line.c_str());
  }
  std::fflush(stderr);
  std::abort();
}

inline void check(bool condition, std::string_view what, std::string_view detail = {}) {
  if (!condition) fail(what, detail);
}

// An error report of a C++ exception that is no Failure (a bug of ours, not a condition of the
// input) or of an exhausted memory. The number's line stands before the description, which may
// quote the list's text, so only its first occurrence counts.
inline bool isInternalErrorReport(std::string_view message) {
  constexpr std::string_view kNumberLine = "\r\nERROR NUMBER: ";
  const std::size_t at = message.find(kNumberLine);
  if (at == std::string_view::npos) return false;
  std::string_view number = message.substr(at + kNumberLine.size());
  number = number.substr(0, number.find('\r'));
  return number == "51" || number == "7";
}

inline bool isErrorReport(std::string_view message) {
  return message.starts_with("We're sorry, an unexpected error has occurred.");
}

inline std::size_t errorReportCount(const testing::TestApp& t) {
  std::size_t count = 0;
  for (const std::string& message : t.toolkit.messages) count += isErrorReport(message) ? 1 : 0;
  return count;
}

// The whole system on temporary drives, its transcript shown when a check fails.
struct FuzzApp : testing::TestApp {
  using TestApp::TestApp;
  FuzzApp() { shownTranscript() = &toolkit.transcript; }
  ~FuzzApp() { shownTranscript() = nullptr; }
  std::size_t reportsSeen = 0;  // error reports up to the last handler's end
};

// What every handler leaves behind, whatever the input: no report of an internal error, the
// default mouse pointer, and unless it failed (a trap closes only its own file numbers) no file
// number left open. True when the handler reported a failure.
inline bool checkHandlerEnd(FuzzApp& t, std::string_view handler) {
  for (const std::string& message : t.toolkit.messages) {
    check(!isInternalErrorReport(message), "internal error reported", message);
  }
  const std::size_t reports = errorReportCount(t);
  const bool reported = reports > t.reportsSeen;
  t.reportsSeen = reports;
  for (int number = 1; number <= platform::FileSlots::kCount && !reported; ++number) {
    check(!t.module.files.isOpen(number), "file number left open after", handler);
  }
  check(t.toolkit.pointer == platform::MousePointer::kDefault, "wait pointer left after", handler);
  return reported;
}

// The input split at line ends ("\n", a CR before it dropped).
inline std::vector<std::string> splitLines(std::string_view bytes) {
  std::vector<std::string> lines;
  while (!bytes.empty()) {
    std::size_t end = bytes.find('\n');
    std::string_view line = bytes.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.emplace_back(line);
    if (end == std::string_view::npos) break;
    bytes.remove_prefix(end + 1);
  }
  return lines;
}

}  // namespace cw::fuzz
