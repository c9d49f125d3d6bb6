#include "peak_memory.h"

#include <malloc.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "ui/main/frm_main.h"

namespace cw::bench {

namespace {

// A "VmRSS:   1234 kB" line of /proc/self/status, in KiB; -1 when it is missing.
std::int64_t statusKiB(const std::string& key) {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind(key + ":", 0) == 0) return std::stoll(line.substr(key.size() + 1));
  }
  return -1;
}

// Sets the high-water mark back to the current resident memory.
bool resetPeak() {
  std::ofstream clear("/proc/self/clear_refs");
  clear << "5";
  return static_cast<bool>(clear.flush());
}

std::int64_t listBoxBytes(const ui::ListBox& box) {
  std::int64_t bytes = 0;
  for (const std::string& item : box.items()) {
    bytes += static_cast<std::int64_t>(sizeof(std::string));
    if (item.capacity() > 15) bytes += static_cast<std::int64_t>(item.capacity() + 1);
  }
  return bytes;
}

void writeAll(int fd, const std::string& text) {
  std::size_t done = 0;
  while (done < text.size()) {
    ssize_t n = ::write(fd, text.data() + done, text.size() - done);
    if (n <= 0) return;
    done += static_cast<std::size_t>(n);
  }
}

// The child's side: one line "baseline peak listBoxes fault...".
[[noreturn]] void measureInChild(Scene& scene, const Operation& op, int fd) {
  PeakMemory memory;
  // A first run maps the code the operation runs into this process, so that the measured run
  // counts the memory of its data only.
  RunResult warmUp = runOnce(scene, op);
  // The selection an operation acts on is made before the baseline: it is what the window
  // already shows when the user starts the operation.
  Operation measured = op;
  if (op.prepare) op.prepare(scene);
  measured.prepare = [&memory](Scene&) {
    ::malloc_trim(0);
    if (!resetPeak()) memory.fault = "cannot reset the high-water mark";
    memory.baselineKiB = statusKiB("VmRSS");
  };
  RunResult result = runOnce(scene, measured, [&memory] { memory.peakKiB = statusKiB("VmHWM"); });
  if (memory.fault.empty()) memory.fault = warmUp.fault.empty() ? result.fault : warmUp.fault;
  memory.listBoxesKiB =
      (listBoxBytes(scene.window().lstbxGroup()) + listBoxBytes(scene.window().lstbxExtentName())) /
      1024;
  std::ostringstream line;
  line << memory.baselineKiB << ' ' << memory.peakKiB << ' ' << memory.listBoxesKiB << ' '
       << memory.fault;
  writeAll(fd, line.str());
  ::close(fd);
  ::_exit(0);  // no destructors: the drives belong to the parent
}

}  // namespace

PeakMemory measurePeakMemory(Scene& scene, const Operation& op) {
  PeakMemory memory;
  int pipeEnds[2];
  if (::pipe(pipeEnds) != 0) {
    memory.fault = "cannot make a pipe";
    return memory;
  }
  std::fflush(nullptr);
  pid_t child = ::fork();
  if (child == 0) {
    ::close(pipeEnds[0]);
    measureInChild(scene, op, pipeEnds[1]);
  }
  ::close(pipeEnds[1]);
  std::string text;
  char buffer[4096];
  for (ssize_t n; (n = ::read(pipeEnds[0], buffer, sizeof buffer)) > 0;) {
    text.append(buffer, static_cast<std::size_t>(n));
  }
  ::close(pipeEnds[0]);
  int status = 0;
  if (child > 0) ::waitpid(child, &status, 0);
  scene.restoreList();

  std::istringstream line(text);
  if (child < 0 || !(line >> memory.baselineKiB >> memory.peakKiB >> memory.listBoxesKiB)) {
    memory.fault = "the measuring process ended without a result";
    return memory;
  }
  std::getline(line >> std::ws, memory.fault);
  return memory;
}

}  // namespace cw::bench
