// The update file: its version and download address, and the version's leading decimal.
#include <cmath>
#include <string>

#include "fuzz_support.h"
#include "online/http_transfer.h"
#include "online/update_check.h"

using namespace tessaril;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(fuzz::AsText(data, size));
  const UpdateFile file = ParseUpdateFile(text);
  // Each value is text of the file between its tags.
  fuzz::Check(file.version.size() <= text.size() && file.download_address.size() <= text.size(),
              "a value longer than the file");
  if (!file.version.empty())
    fuzz::Check(text.find(file.version) != std::string::npos, "a version not in the file");
  if (!file.download_address.empty()) {
    fuzz::Check(text.find(file.download_address) != std::string::npos,
                "an address not in the file");
  }
  fuzz::Check(std::isfinite(LeadingDecimal(file.version)), "a version that is not finite");
  fuzz::Check(std::isfinite(LeadingDecimal(text)), "a leading decimal that is not finite");
  (void)IsWebUrl(file.download_address);
  return 0;
}
