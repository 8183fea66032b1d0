#include "support/temp_dir.h"

#include <fstream>
#include <iterator>
#include <random>

namespace tessaril::testing {

std::string CommandTest::MakeDir() {
  // A new folder of a random name, made by this call alone (create_directory fails on a name
  // that exists).
  std::random_device seed;
  std::mt19937_64 random(seed());
  const std::filesystem::path temp = std::filesystem::temp_directory_path();
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::filesystem::path candidate =
        temp / ("tessaril-test-" + std::to_string(random() % 1000000000));
    std::error_code ec;
    if (std::filesystem::create_directory(candidate, ec)) {
      std::string made = Utf8(candidate);
      for (char& c : made) {
        if (c == '\\')
          c = '/';
      }
      return made;
    }
  }
  ADD_FAILURE() << "no temporary folder could be made";
  return std::string();
}

std::string CommandTest::WriteFile(std::string_view name, std::string_view bytes) const {
  std::string path = Path(name);
  std::filesystem::create_directories(FsPath(path).parent_path());
  std::ofstream out(FsPath(path), std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return path;
}

std::string CommandTest::ReadFile(std::string_view name) const {
  std::string path = std::filesystem::path(name).is_absolute() || (name.size() && name[0] == '/')
                         ? std::string(name)
                         : Path(name);
  std::ifstream in(FsPath(path), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<std::string> CommandTest::Entries(const NumberList& list) {
  std::vector<std::string> out;
  for (int i = 0; i < list.Count(); ++i)
    out.push_back(list.At(i));
  return out;
}

}  // namespace tessaril::testing
