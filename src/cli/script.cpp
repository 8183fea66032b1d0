#include "cli/script.h"

namespace tessaril::cli {
namespace {
bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}
}  // namespace

std::optional<std::vector<std::string>> SplitScriptLine(const std::string& line,
                                                        std::string& error) {
  error.clear();
  std::vector<std::string> words;
  size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && IsBlank(line[i]))
      ++i;
    if (i >= line.size())
      break;
    if (words.empty() && line[i] == '#')
      break;
    std::string word;
    bool quoted_any = false;
    while (i < line.size() && !IsBlank(line[i])) {
      if (line[i] != '"') {
        word.push_back(line[i++]);
        continue;
      }
      quoted_any = true;
      ++i;
      bool closed = false;
      while (i < line.size()) {
        char c = line[i++];
        if (c == '"') {
          closed = true;
          break;
        }
        if (c == '\\' && i < line.size() && (line[i] == '"' || line[i] == '\\'))
          c = line[i++];
        word.push_back(c);
      }
      if (!closed) {
        error = "unterminated quote";
        return std::nullopt;
      }
    }
    if (!word.empty() || quoted_any)
      words.push_back(std::move(word));
  }
  if (words.empty())
    return std::nullopt;
  return words;
}

}  // namespace tessaril::cli
