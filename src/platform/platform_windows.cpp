// The process and its user on Windows: the wide-character forms of the arguments, the
// environment and the module name, as UTF-8.
#include <fcntl.h>
#include <io.h>
#include <windows.h>
// shellapi.h needs windows.h first.
#include <shellapi.h>

#include <cstdio>
#include <cstdlib>

#include "platform/platform.h"
#include "platform/wide_text_windows.h"

namespace tessaril {

std::string ExecutableFolder() {
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n == 0)
      return std::string();
    if (n < buffer.size()) {
      buffer.resize(n);
      break;
    }
    buffer.resize(buffer.size() * 2);  // a long path was cut short
  }
  std::string folder = Narrow(buffer);
  for (char& c : folder) {
    if (c == '\\')
      c = '/';
  }
  folder.erase(folder.rfind('/') + 1);
  return folder;
}

std::optional<std::string> EnvironmentValue(const char* name) {
  const wchar_t* value = _wgetenv(Widen(name).c_str());
  if (value == nullptr || *value == L'\0')
    return std::nullopt;
  return Narrow(value);
}

std::string HomeFolder() {
  if (std::optional<std::string> profile = EnvironmentValue("USERPROFILE"))
    return *profile;
  return "C:/";
}

std::string UserConfigFolder() {
  if (std::optional<std::string> app_data = EnvironmentValue("APPDATA"))
    return *app_data;
  return HomeFolder();
}

void KeepRunningPastFileSizeLimit() {}

std::vector<std::string> StartCommandLineProgram(int argc, char** argv) {
  // Output is written with CR LF where the program means it; the runtime adds none.
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (wide == nullptr)
    return std::vector<std::string>(argv, argv + argc);
  std::vector<std::string> arguments;
  for (int i = 0; i < count; ++i)
    arguments.push_back(Narrow(wide[i]));
  LocalFree(wide);
  return arguments;
}

}  // namespace tessaril
