#pragma once

#include <string>
#include <vector>

namespace cw::headless {

// A script or test mistake (a question nobody answered, a modal window nobody drives). It is
// not a cw::Failure or std::exception, so no error trap of the system catches it.
struct ScriptError {
  std::string message;
};

// One action of a session script (docs/session-scripts.md) with the line it stands on.
struct ScriptLine {
  int number;
  std::vector<std::string> words;
};

// The script's actions, blank and comment lines left out; throws ScriptError on a bad line.
std::vector<ScriptLine> parseScript(const std::string& script);
// Splits a script line into words: blanks separate, double quotes group (\" inside), "#" at the
// start of a word begins a comment.
std::vector<std::string> splitScriptLine(const std::string& line);
// The words from `from` on as a script line again: quoted where a word needs it.
std::string joinScriptWords(const std::vector<std::string>& words, std::size_t from);
ScriptError scriptErrorAt(int line, const std::string& message);
// A number in its shortest exact form (-122, 37.25).
std::string shortestNumber(double value);

}  // namespace cw::headless
