#include "online/notice_page.h"

#include <cctype>
#include <map>

namespace tessaril {
namespace {

std::string Lower(std::string text) {
  for (char& c : text)
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f';
}

// The attributes of the tag whose name ends just before `pos`, up to its ">". Names are lower
// case; values keep their text without the quotes.
std::map<std::string, std::string> Attributes(const std::string& html, size_t& pos) {
  std::map<std::string, std::string> attributes;
  while (pos < html.size() && html[pos] != '>') {
    if (IsBlank(html[pos]) || html[pos] == '/') {
      ++pos;
      continue;
    }
    const size_t name_start = pos;
    while (pos < html.size() && !IsBlank(html[pos]) && html[pos] != '=' && html[pos] != '>')
      ++pos;
    std::string name = Lower(html.substr(name_start, pos - name_start));
    while (pos < html.size() && IsBlank(html[pos]))
      ++pos;
    std::string value;
    if (pos < html.size() && html[pos] == '=') {
      ++pos;
      while (pos < html.size() && IsBlank(html[pos]))
        ++pos;
      if (pos < html.size() && (html[pos] == '"' || html[pos] == '\'')) {
        const char quote = html[pos++];
        const size_t end = html.find(quote, pos);
        const size_t stop = end == std::string::npos ? html.size() : end;
        value = html.substr(pos, stop - pos);
        pos = end == std::string::npos ? stop : end + 1;
      } else {
        const size_t value_start = pos;
        while (pos < html.size() && !IsBlank(html[pos]) && html[pos] != '>')
          ++pos;
        value = html.substr(value_start, pos - value_start);
      }
    }
    if (!name.empty())
      attributes.emplace(std::move(name), std::move(value));
  }
  return attributes;
}

}  // namespace

std::set<std::string> NewWindowLinks(const std::string& html) {
  std::set<std::string> links;
  const std::string lower = Lower(html);
  for (size_t pos = lower.find("<a"); pos != std::string::npos; pos = lower.find("<a", pos)) {
    pos += 2;
    if (pos < html.size() && !IsBlank(html[pos]))
      continue;  // <abbr>, <area>, ...
    const auto attributes = Attributes(html, pos);
    const auto target = attributes.find("target");
    const auto href = attributes.find("href");
    if (target == attributes.end() || href == attributes.end() || href->second.empty())
      continue;
    const std::string frame = Lower(target->second);
    if (frame.empty() || frame == "_self" || frame == "_parent" || frame == "_top")
      continue;
    links.insert(href->second);
  }
  return links;
}

}  // namespace tessaril
