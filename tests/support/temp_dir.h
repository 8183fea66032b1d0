#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <string_view>

#include "lists/app_state.h"
#include "platform/settings_store.h"
#include "support/scripted_frontend.h"

namespace tessaril::testing {

// A file-system path from UTF-8 text, and a path's name as UTF-8: Chinese names stay intact on
// Windows too, where narrow strings would go through the local code page.
inline std::filesystem::path FsPath(std::string_view utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}
inline std::string Utf8(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

// The bytes of `text` saved as "Unicode": UTF-16 with its byte-order mark.
inline std::string Utf16Bytes(std::u16string_view text, bool big_endian = false) {
  std::string bytes = big_endian ? "\xFE\xFF" : "\xFF\xFE";
  for (char16_t unit : text) {
    const char high = static_cast<char>(unit >> 8);
    const char low = static_cast<char>(unit & 0xFF);
    bytes += big_endian ? std::string{high, low} : std::string{low, high};
  }
  return bytes;
}

// A fixture with a fresh temporary folder, a settings store inside it, an AppState on that store
// (data folder: the temporary folder) and a scripted front end.
class CommandTest : public ::testing::Test {
 protected:
  CommandTest()
      : dir_(MakeDir()), settings_(dir_ + "/settings.ini"), state_(settings_, dir_ + "/") {
    state_.random.seed(7);
  }
  ~CommandTest() override {
    std::error_code ec;
    std::filesystem::remove_all(FsPath(dir_), ec);
  }

  std::string Path(std::string_view name) const { return dir_ + "/" + std::string(name); }
  // Writes `bytes` exactly as given to a file of the temporary folder; returns its path.
  std::string WriteFile(std::string_view name, std::string_view bytes) const;
  std::string ReadFile(std::string_view name) const;
  // The list's entries in order.
  static std::vector<std::string> Entries(const NumberList& list);
  void Fill(NumberList& list, const std::vector<std::string>& entries) {
    for (const auto& e : entries)
      list.Append(e);
  }

  std::string dir_;
  SettingsStore settings_;
  AppState state_;
  ScriptedFrontend ui_;

 private:
  static std::string MakeDir();
};

}  // namespace tessaril::testing
