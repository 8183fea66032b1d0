#include "platform/settings_store.h"

#include <cstdlib>
#include <sstream>

#include "platform/app_info.h"
#include "platform/file_system.h"
#include "platform/platform.h"
#include "platform/text.h"

namespace tessaril {
namespace {

std::string_view Strip(std::string_view s) {
  size_t b = 0;
  while (b < s.size() && IsSpaceByte(s[b]))
    ++b;
  size_t e = s.size();
  while (e > b && IsSpaceByte(s[e - 1]))
    --e;
  return s.substr(b, e - b);
}

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size())
    return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z')
      x = static_cast<char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z')
      y = static_cast<char>(y - 'A' + 'a');
    if (x != y)
      return false;
  }
  return true;
}

// Quotes around a value keep its leading and trailing blanks; the file's reader takes one pair
// of quotes off, as the platform's profile store does.
bool NeedsQuotes(std::string_view value) {
  if (value.empty())
    return false;
  return IsSpaceByte(value.front()) || IsSpaceByte(value.back()) ||
         (value.size() >= 2 && value.front() == '"' && value.back() == '"');
}

std::string_view Unquote(std::string_view value) {
  if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
    return value.substr(1, value.size() - 2);
  return value;
}

}  // namespace

SettingsStore::SettingsStore(std::string path) : path_(std::move(path)) {
  Load();
}

void SettingsStore::Load() {
  std::optional<std::string> bytes = path_.empty() ? std::nullopt : ReadWholeFile(path_);
  if (!bytes)
    return;
  std::string_view text = *bytes;
  Section* current = nullptr;
  while (!text.empty()) {
    size_t lf = text.find('\n');
    std::string_view line = text.substr(0, lf);
    text.remove_prefix(lf == std::string_view::npos ? text.size() : lf + 1);
    std::string_view view = Strip(line);
    if (view.empty() || view[0] == ';' || view[0] == '#')
      continue;
    if (view.front() == '[' && view.back() == ']') {
      sections_.push_back({std::string(Strip(view.substr(1, view.size() - 2))), {}});
      current = &sections_.back();
      continue;
    }
    size_t eq = view.find('=');
    if (eq == std::string_view::npos || current == nullptr)
      continue;
    current->entries.emplace_back(std::string(Strip(view.substr(0, eq))),
                                  std::string(Unquote(Strip(view.substr(eq + 1)))));
  }
}

const std::string* SettingsStore::Find(const std::string& section, const std::string& key) const {
  for (const Section& s : sections_) {
    if (!SameName(s.name, section))
      continue;
    for (const auto& [k, v] : s.entries) {
      if (SameName(k, key))
        return &v;
    }
  }
  return nullptr;
}

bool SettingsStore::Has(const std::string& section, const std::string& key) const {
  return Find(section, key) != nullptr;
}

std::string SettingsStore::GetString(const std::string& section, const std::string& key,
                                     const std::string& fallback) const {
  const std::string* value = Find(section, key);
  return value ? *value : fallback;
}

int SettingsStore::GetInt(const std::string& section, const std::string& key, int fallback) const {
  const std::string* value = Find(section, key);
  if (!value)
    return fallback;
  return static_cast<int>(std::strtol(value->c_str(), nullptr, 10));
}

bool SettingsStore::SetString(const std::string& section, const std::string& key,
                              const std::string& value) {
  if (value.find_first_of(std::string_view("\r\n\0", 3)) != std::string::npos)
    return false;
  Section* target = nullptr;
  for (Section& s : sections_) {
    if (SameName(s.name, section)) {
      target = &s;
      break;
    }
  }
  if (!target) {
    sections_.push_back({section, {}});
    target = &sections_.back();
  }
  bool found = false;
  for (auto& [k, v] : target->entries) {
    if (SameName(k, key)) {
      v = value;
      found = true;
      break;
    }
  }
  if (!found)
    target->entries.emplace_back(key, value);
  return Save();
}

bool SettingsStore::SetInt(const std::string& section, const std::string& key, int value) {
  return SetString(section, key, std::to_string(value));
}

bool SettingsStore::Save() {
  if (path_.empty())
    return true;
  std::ostringstream out;
  for (const Section& s : sections_) {
    out << '[' << s.name << "]\n";
    for (const auto& [k, v] : s.entries) {
      if (NeedsQuotes(v))
        out << k << "=\"" << v << "\"\n";
      else
        out << k << '=' << v << '\n';
    }
    out << '\n';
  }
  if (WriteFileAtomically(path_, out.str()))
    return true;
  save_failed_ = true;
  return false;
}

bool SettingsStore::TakeSaveFailure() {
  if (!save_failed_ || save_failure_taken_)
    return false;
  save_failure_taken_ = true;
  return true;
}

std::string DefaultSettingsPath() {
  if (std::optional<std::string> explicit_path = EnvironmentValue("TESSARIL_CONFIG"))
    return *explicit_path;
  return UserConfigFolder() + "/" + kApplicationName + "/" + kApplicationName + ".ini";
}

}  // namespace tessaril
