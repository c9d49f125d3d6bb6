#include "frontends/headless/session_script.h"

#include <charconv>
#include <sstream>

#include "ui/controls/control.h"

namespace cw::headless {

ScriptError scriptErrorAt(int line, const std::string& message) {
  return ScriptError{"script line " + std::to_string(line) + ": " + message};
}

std::string joinScriptWords(const std::vector<std::string>& words, std::size_t from) {
  std::string out;
  for (std::size_t i = from; i < words.size(); ++i) {
    if (i > from) out += ' ';
    const std::string& word = words[i];
    bool plain = !word.empty() && word.find_first_of(" \t\"#") == std::string::npos;
    out += plain ? word : ui::quoteForTranscript(word);
  }
  return out;
}

std::vector<std::string> splitScriptLine(const std::string& line) {
  std::vector<std::string> words;
  std::size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == '\r')) ++i;
    if (i >= line.size() || line[i] == '#') break;
    std::string word;
    if (line[i] == '"') {
      ++i;
      bool closed = false;
      while (i < line.size()) {
        if (line[i] == '\\' && i + 1 < line.size() && line[i + 1] == '"') {
          word += '"';
          i += 2;
        } else if (line[i] == '"') {
          ++i;
          closed = true;
          break;
        } else {
          word += line[i++];
        }
      }
      if (!closed) throw ScriptError{"unterminated quote in: " + line};
    } else {
      while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r') {
        word += line[i++];
      }
    }
    words.push_back(std::move(word));
  }
  return words;
}

std::vector<ScriptLine> parseScript(const std::string& script) {
  std::vector<ScriptLine> lines;
  std::istringstream in(script);
  std::string text;
  int number = 0;
  while (std::getline(in, text)) {
    ++number;
    try {
      auto words = splitScriptLine(text);
      if (!words.empty()) lines.push_back({number, std::move(words)});
    } catch (const ScriptError& e) {
      throw scriptErrorAt(number, e.message);
    }
  }
  return lines;
}

std::string shortestNumber(double value) {
  if (value == 0) value = 0;  // no "-0"
  char buffer[64];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

}  // namespace cw::headless
