// The command-line front end's script parser: each line is split into words, then run by the
// script runner with its verbs and their argument parsers, against a scratch folder that holds a
// small data folder and a number file. Commands may write files there and nowhere else.
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "classify/location_db.h"
#include "cli/cli_frontend.h"
#include "cli/runner.h"
#include "cli/script.h"
#include "fuzz_support.h"
#include "lists/app_state.h"
#include "platform/settings_store.h"

using namespace tessaril;
namespace fs = std::filesystem;

namespace {

// The lists stop growing here: a script that makes more is cut off before its next line, so that
// one input cannot write hundreds of thousands of files.
constexpr int kMaxEntries = 2000;
constexpr size_t kMaxScriptBytes = 1024;

fs::path g_folder;

void Put(const fs::path& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// Empties the scratch folder (the current directory) and lays out its files again.
void ResetFolder() {
  std::error_code ec;
  for (const fs::directory_entry& entry : fs::directory_iterator(g_folder, ec))
    fs::remove_all(entry.path(), ec);
  fs::create_directories(g_folder / "addrdat", ec);
  Put(g_folder / "addrdat" / "sms.dll",
      "1 1380000 北京 北京\r\n2 1390000 广东 广州\r\n3 1330000 广东 深圳\r\n");
  Put(g_folder / "add.txt", "北京*北京#\r\n广东*广州#深圳#\r\n");
  Put(g_folder / "sheng.txt", "北京\r\n");
  Put(g_folder / "n.txt",
      "13800000001\r\n13900000002\r\n13300000003\r\n 13800000001 \r\nabc\r\n\r\n"
      "1380000000\r\n19912345678\r\n");
  Put(g_folder / "b.txt", "13900000002\r\n");
}

// The words of `line` quoted back into a line: it must split into the same words.
std::string Requote(const std::vector<std::string>& words) {
  std::string line;
  for (const std::string& word : words) {
    line += line.empty() ? "\"" : " \"";
    for (char c : word) {
      if (c == '"' || c == '\\')
        line += '\\';
      line += c;
    }
    line += '"';
  }
  return line;
}

// A word that could name a path outside the scratch folder.
bool LeavesFolder(const std::string& word) {
  return word.find('/') != std::string::npos || word.find('\\') != std::string::npos ||
         word.find("..") != std::string::npos || word.starts_with("~");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  g_folder = fuzz::FreshScratchFolder("cli");
  // Relative paths of the scripts resolve here; libFuzzer is given absolute paths.
  fuzz::Check(chdir(g_folder.c_str()) == 0, "cannot enter the scratch folder");
  ResetFolder();
  CLocationDb db;
  fuzz::Check(db.LoadFile((g_folder / "addrdat" / "sms.dll").string()),
              "the location database did not load");
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > kMaxScriptBytes)
    return -1;
  std::vector<std::string> lines;
  std::istringstream split{std::string(fuzz::AsText(data, size))};
  for (std::string line; std::getline(split, line);)
    lines.push_back(line);

  for (const std::string& line : lines) {
    std::string error;
    const auto words = cli::SplitScriptLine(line, error);
    if (!words)
      continue;
    for (const std::string& word : *words) {
      if (LeavesFolder(word))
        return -1;
    }
    // Each segment inserts 10,000 numbers in one command.
    if (words->front() == "insert-segments" && words->size() > 3)
      return -1;
    std::string again_error;
    const auto again = cli::SplitScriptLine(Requote(*words), again_error);
    fuzz::Check(again && *again == *words, "a line's words do not survive quoting");
  }

  ResetFolder();
  SettingsStore settings;
  AppState state(settings, g_folder.string() + "/");
  state.random.seed(1);
  // Each input's run loads its own database, as a script does.
  state.locations.Db().LoadFile((g_folder / "addrdat" / "sms.dll").string());
  std::ostringstream out, err;
  cli::CliFrontend frontend(out);
  // Line by line, as the runner reads them, so that the lists can be watched between lines.
  for (const std::string& line : lines) {
    if (state.source.Count() + state.target.Count() > kMaxEntries)
      break;
    std::istringstream one(line);
    const int status = cli::RunScript(one, state, frontend, out, err);
    fuzz::Check(status >= 0 && status <= 2, "an exit status outside 0 to 2");
    if (status != 0)
      break;
    out.str("");
    err.str("");
  }
  return 0;
}
