#pragma once

#include <string>
#include <utility>
#include <vector>

namespace tessaril {

// The application's profile store: an INI file of sections and keys holding integers and
// strings. Keys are read with a default when absent; every write rewrites the file atomically
// (a temporary file, then a rename), so a crash never leaves half a store. Sections and keys the
// program does not know are kept as they are.
class SettingsStore {
 public:
  // An in-memory store that is never written (used where no file is wanted).
  SettingsStore() = default;
  // A store kept in `path`; the file need not exist yet.
  explicit SettingsStore(std::string path);

  const std::string& Path() const { return path_; }

  std::string GetString(const std::string& section, const std::string& key,
                        const std::string& fallback) const;
  // Reads the value as the platform's profile store does: leading blanks, an optional sign, then
  // the digits up to the first other character; a value without digits reads as 0.
  int GetInt(const std::string& section, const std::string& key, int fallback) const;
  bool Has(const std::string& section, const std::string& key) const;

  // Each returns false when the store could not be written; the value still holds for this
  // run. A value with a line end (or NUL) is refused and not kept: it would break the file into
  // sections and keys of its own. Leading and trailing blanks are kept by quoting the value.
  bool SetString(const std::string& section, const std::string& key, const std::string& value);
  bool SetInt(const std::string& section, const std::string& key, int value);

  // True once, after the first write that failed: the user is told once per run.
  bool TakeSaveFailure();

 private:
  struct Section {
    std::string name;
    std::vector<std::pair<std::string, std::string>> entries;
  };
  const std::string* Find(const std::string& section, const std::string& key) const;
  void Load();
  bool Save();

  std::string path_;
  std::vector<Section> sections_;
  bool save_failed_ = false;
  bool save_failure_taken_ = false;
};

// Where the window and the command-line front end keep their settings: $TESSARIL_CONFIG, else
// $XDG_CONFIG_HOME/KorvaneTessaril/KorvaneTessaril.ini (default ~/.config/...); on Windows
// %APPDATA%\KorvaneTessaril\KorvaneTessaril.ini.
std::string DefaultSettingsPath();

}  // namespace tessaril
