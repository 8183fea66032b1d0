#include "support/temp_dir.h"

#include <fstream>
#include <iterator>

namespace tessaril::testing {

std::string CommandTest::MakeDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "tessaril-test-XXXXXX").string();
  char* made = mkdtemp(pattern.data());
  EXPECT_NE(made, nullptr);
  return pattern;
}

std::string CommandTest::WriteFile(std::string_view name, std::string_view bytes) const {
  std::string path = Path(name);
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  std::ofstream out(path, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return path;
}

std::string CommandTest::ReadFile(std::string_view name) const {
  std::string path = name.size() && name[0] == '/' ? std::string(name) : Path(name);
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<std::string> CommandTest::Entries(const NumberList& list) {
  std::vector<std::string> out;
  for (int i = 0; i < list.Count(); ++i)
    out.push_back(list.At(i));
  return out;
}

}  // namespace tessaril::testing
