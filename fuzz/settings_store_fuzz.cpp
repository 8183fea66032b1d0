// The INI settings store. Whatever the file holds, the values the program reads from it must read
// the same after the store rewrote the file (every change rewrites the whole file).
#include <string>
#include <utility>
#include <vector>

#include "fuzz_support.h"
#include "platform/settings_store.h"

using namespace tessaril;

namespace {

using Probe = std::pair<std::string, std::string>;

// Section and key names to ask for: the ones the program uses, and names cut from the input's
// first lines (a "[name]" and a "name=" each), so that the probes meet what the file holds.
std::vector<Probe> Probes(std::string_view text) {
  std::vector<std::string> sections = {"Setting", "Settings", "Online"};
  std::vector<std::string> keys = {"yidong", "UpdateUrl", "Separator"};
  size_t start = 0;
  for (int line = 0; line < 16 && start < text.size(); ++line) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos)
      end = text.size();
    const std::string_view row = text.substr(start, end - start);
    const size_t open = row.find('['), close = row.rfind(']');
    if (open != std::string_view::npos && close != std::string_view::npos && close > open)
      sections.emplace_back(row.substr(open + 1, close - open - 1));
    if (const size_t eq = row.find('='); eq != std::string_view::npos)
      keys.emplace_back(row.substr(0, eq));
    start = end + 1;
  }
  std::vector<Probe> probes;
  for (const std::string& section : sections) {
    for (const std::string& key : keys)
      probes.emplace_back(section, key);
  }
  return probes;
}

std::vector<std::string> Read(const SettingsStore& store, const std::vector<Probe>& probes) {
  std::vector<std::string> values;
  for (const auto& [section, key] : probes) {
    values.push_back(store.Has(section, key) ? store.GetString(section, key, "") : "<absent>");
    (void)store.GetInt(section, key, -1);
  }
  return values;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text = fuzz::AsText(data, size);
  const std::string path = fuzz::WriteScratchFile("settings.ini", text);
  const std::vector<Probe> probes = Probes(text);

  SettingsStore store(path);
  const std::vector<std::string> before = Read(store, probes);
  // A key of its own, so that the probes' values stay as loaded.
  fuzz::Check(store.SetString("FuzzSection", "FuzzKey", "value"), "the store was not written");

  const SettingsStore reread(path);
  fuzz::Check(Read(reread, probes) == before, "a value changed when the store was rewritten");
  fuzz::Check(reread.GetString("FuzzSection", "FuzzKey", "") == "value", "the new key is lost");
  return 0;
}
