#pragma once

// The session runner as a separate program, for tests of its command line: started through the
// system's shell with stdout and stderr together.
//
//   auto run = cw::testing::runSession(cw::testing::shellArgument(script) + " --demo");
//   EXPECT_EQ(run.status, 0) << run.out;

#include <stdio.h>
#ifdef _WIN32
#include <windows.h>
#else
#include <sys/wait.h>
#endif

#include <string>

namespace cw::testing {

struct ProgramRun {
  int status = -1;  // the exit status; -1 when the program did not end by itself
  std::string out;
};

// One argument as the shell passes it on unchanged (blanks, quotes, backslashes).
inline std::string shellArgument(const std::string& text) {
#ifdef _WIN32
  // The C runtime's rule: backslashes are literal except before a quote.
  std::string out = "\"";
  std::size_t backslashes = 0;
  for (char c : text) {
    if (c == '\\') {
      ++backslashes;
      continue;
    }
    out.append(c == '"' ? 2 * backslashes + 1 : backslashes, '\\');
    backslashes = 0;
    out += c;
  }
  out.append(2 * backslashes, '\\');
  return out + "\"";
#else
  std::string out = "'";
  for (char c : text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
#endif
}

// The path of the session runner. A Windows test program under wine is handed the Linux path of
// the build; wine has the Linux root as drive Z:.
inline std::string sessionProgram() {
  std::string path = CW_SESSION_BIN;
#ifdef _WIN32
  if (!path.empty() && path[0] == '/') path = "Z:" + path;
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
#endif
  return path;
}

// Runs `command` (already quoted) through the shell.
inline ProgramRun runCommand(const std::string& command) {
  ProgramRun run;
#ifdef _WIN32
  // cmd /c drops the first and the last quote of a line that starts with one. The command goes
  // wide, so that paths the ANSI code page cannot spell reach the program whole.
  const std::string line = "\"" + command + " 2>&1\"";
  std::wstring wide(
      ::MultiByteToWideChar(CP_UTF8, 0, line.data(), static_cast<int>(line.size()), nullptr, 0),
      L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, line.data(), static_cast<int>(line.size()), wide.data(),
                        static_cast<int>(wide.size()));
  FILE* pipe = ::_wpopen(wide.c_str(), L"rb");
#else
  FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
#endif
  if (!pipe) return run;
  char buffer[4096];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
    run.out.append(buffer, n);
#ifdef _WIN32
  run.status = ::_pclose(pipe);
#else
  int status = ::pclose(pipe);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
  return run;
}

// Runs the session runner with `arguments` (already quoted).
inline ProgramRun runSession(const std::string& arguments) {
  return runCommand(shellArgument(sessionProgram()) + " " + arguments);
}

}  // namespace cw::testing
