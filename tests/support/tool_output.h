#pragma once

#include <algorithm>
#include <string>
#include <vector>

namespace tessaril::testing {

// The lines of a tool's output file: CR LF line ends, one after every line.
inline std::vector<std::string> OutputLines(const std::string& bytes) {
  std::vector<std::string> lines;
  size_t from = 0;
  while (from < bytes.size()) {
    size_t end = bytes.find("\r\n", from);
    if (end == std::string::npos) {
      lines.push_back(bytes.substr(from) + "<no line end>");
      break;
    }
    lines.push_back(bytes.substr(from, end - from));
    from = end + 2;
  }
  return lines;
}

// Lines as a number file holds them: each followed by CR LF.
inline std::string Join(const std::vector<std::string>& lines) {
  std::string text;
  for (const auto& line : lines)
    text += line + "\r\n";
  return text;
}

// The lines of a tool's output, sorted: for parts written in a hash table's order.
inline std::vector<std::string> Sorted(std::vector<std::string> lines) {
  std::sort(lines.begin(), lines.end());
  return lines;
}

}  // namespace tessaril::testing
