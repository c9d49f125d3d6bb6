#pragma once

// Runs the converter program in a directory of its own, for tests of whole conversions.

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

namespace cw::convert::testing {

struct RunResult {
  int status = -1;
  std::string out;  // standard output
  std::string err;  // standard error
};

class ConverterDir {
 public:
  ConverterDir() {
    char pattern[] = "/tmp/cw-convert-XXXXXX";
    dir_ = ::mkdtemp(pattern);
  }
  ~ConverterDir() {
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
  }
  std::string path(const std::string& name) const { return (dir_ / name).string(); }
  void write(const std::string& name, const std::string& bytes) const {
    std::ofstream(path(name), std::ios::binary) << bytes;
  }
  std::string read(const std::string& name) const {
    std::ifstream in(path(name), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  bool exists(const std::string& name) const { return std::filesystem::exists(path(name)); }
  // Every file in the directory, for "nothing was written" checks.
  std::size_t fileCount() const {
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(dir_), {}));
  }

  // corbelwick-convert with these arguments (shell words), run in the directory, with these
  // environment settings ("NAME=value ...") added.
  RunResult run(const std::string& arguments, const std::string& environment = "") const {
    const std::string out = path(".out"), err = path(".err");
    const std::string command = "cd '" + dir_.string() + "' && " + environment +
                                " '" CW_CONVERT_BIN "' " + arguments + " >'" + out + "' 2>'" + err +
                                "'";
    RunResult result;
    const int raw = std::system(command.c_str());
    result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    result.out = read(".out");
    result.err = read(".err");
    std::filesystem::remove(out);
    std::filesystem::remove(err);
    return result;
  }

 private:
  std::filesystem::path dir_;
};

}  // namespace cw::convert::testing
