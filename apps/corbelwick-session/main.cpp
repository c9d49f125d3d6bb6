// corbelwick-session: plays a script of user and host actions against the system with the
// headless toolkit and prints the transcript. See docs/session-scripts.md.

#include <chrono>
#include <cstdint>
#include <iostream>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "base/failure.h"
#include "command/module.h"
#include "frontends/headless/demo_script.h"
#include "frontends/headless/session_runner.h"
#include "hosts/standin/standin.h"
#include "platform/testing/fault_injection.h"
#include "shared/program_io.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>

#include "platform/win32/win32_file_system.h"
using NativeFileSystem = cw::platform::Win32FileSystem;
#else
#include "platform/posix/drive_file_system.h"
using NativeFileSystem = cw::platform::DriveFileSystem;
#endif

namespace {

int usage() {
  std::cerr << "usage: corbelwick-session SCRIPT|--demo [--host DOC.json] [--drive X=DIR]... "
               "[--cwd WINPATH] [--fail-op K[:KIND]] [--disk-full BYTES] [--lock-wait MS]\n";
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::string scriptPath;
  std::string hostPath;
  bool demo = false;
#ifdef _WIN32
  // The transcript is the same bytes on every system: no CR before each LF.
  ::_setmode(::_fileno(stdout), _O_BINARY);
#endif
  NativeFileSystem::GivenOptions given;
  std::optional<std::uint64_t> failOp;
  std::optional<cw::platform::FileOperation> failKind;
  std::optional<std::uint64_t> diskFull;
  std::optional<std::uint64_t> lockWaitMs;
  const std::vector<std::string> args = cw::programs::programArguments(argc, argv);
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string arg = args[i];
    auto value = [&]() -> std::string {
      if (i + 1 >= args.size()) throw std::invalid_argument(arg + " needs a value");
      return args[++i];
    };
    try {
      if (arg == "--host") {
        hostPath = value();
      } else if (arg == "--drive") {
        if (!given.addDrive(value())) return usage();
      } else if (arg == "--cwd") {
        given.setCurrentDirectory(value());
      } else if (arg == "--fail-op") {
        std::string failure = value();
        std::size_t colon = failure.find(':');
        failOp = std::stoull(failure.substr(0, colon));
        if (colon != std::string::npos) {
          failKind = cw::platform::operationNamed(failure.substr(colon + 1));
          if (!failKind) return usage();
        }
      } else if (arg == "--disk-full") {
        diskFull = std::stoull(value());
      } else if (arg == "--lock-wait") {
        lockWaitMs = std::stoull(value());
      } else if (arg == "--demo") {
        demo = true;
      } else if (!arg.empty() && arg[0] == '-') {
        return usage();
      } else if (scriptPath.empty()) {
        scriptPath = arg;
      } else {
        return usage();
      }
    } catch (const std::logic_error& e) {  // a missing value or a bad number
      std::cerr << e.what() << "\n";
      return usage();
    }
  }
  if (scriptPath.empty() == !demo) return usage();
  const bool drivesGiven = given.drivesGiven();
  const auto options = given.options();

  try {
    NativeFileSystem fs(options);
    if (!drivesGiven) fs.ensureInstalled();
    auto document = hostPath.empty() ? cw::standin::sampleDocument()
                                     : cw::standin::loadDocument(cw::programs::readFile(hostPath));
    cw::standin::Application host(std::move(document));
    std::string script =
        demo ? std::string(cw::headless::kDemoScript) : cw::programs::readFile(scriptPath);
    // Failures on purpose: the K-th file operation of the session, or every write once the disk
    // is full.
    cw::platform::FaultInjectingFileSystem faults(fs);
    if (failOp) faults.failOperation(*failOp, failKind);
    if (diskFull) faults.failWritesAfter(*diskFull);
    cw::headless::SessionRunner runner(faults, host, std::cout);
    // How long a command waits for a list another program is changing.
    if (lockWaitMs) runner.module().storage.lockWait = std::chrono::milliseconds(*lockWaitMs);
    runner.play(script);
  } catch (const cw::headless::ScriptError& e) {
    std::cout.flush();
    std::cerr << "corbelwick-session: " << e.message << "\n";
    return 2;
  } catch (const cw::Failure& e) {
    std::cout.flush();
    std::cerr << "corbelwick-session: " << e.description() << "\n";
    return 1;
  }
  return 0;
}
