// sheng.txt, the provinces ticked last time: whatever the file holds, the result is a subset of
// the province table in table order.
#include <algorithm>
#include <string>

#include "filetools/blacklist.h"
#include "fuzz_support.h"

using namespace tessaril;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string path = fuzz::WriteScratchFile("sheng.txt", fuzz::AsText(data, size));
  const std::vector<std::string> names = ReadShengFile(path);
  auto table_index = [](const std::string& name) {
    return std::find(kProvinceTable.begin(), kProvinceTable.end(), name) - kProvinceTable.begin();
  };
  long previous = -1;
  for (const std::string& name : names) {
    const long index = table_index(name);
    fuzz::Check(index < static_cast<long>(kProvinceTable.size()), "a name not in the table");
    fuzz::Check(index > previous, "names out of table order or repeated");
    previous = index;
  }

  // What is written is read back the same.
  fuzz::Check(WriteShengFile(path, names), "sheng.txt could not be rewritten");
  fuzz::Check(ReadShengFile(path) == names, "sheng.txt does not read back as written");
  return 0;
}
