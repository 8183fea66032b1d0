// The extraction scanner and its patterns: mobile numbers and e-mail addresses out of any text.
#include <string>

#include "acquire/extract.h"
#include "fuzz_support.h"

using namespace tessaril;

namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text = fuzz::AsText(data, size);

  size_t from = 0;
  for (const std::string& number : ExtractMobileNumbers(text)) {
    fuzz::Check(number.size() == 11 && number[0] == '1' && number[1] >= '3' && number[1] <= '9',
                "a number that does not match the number pattern");
    for (char c : number)
      fuzz::Check(IsDigit(c), "a number with a character that is not a digit");
    // Each is a run of exactly eleven digits of the text, in text order.
    const size_t at = text.find(number, from);
    fuzz::Check(at != std::string_view::npos, "a number not found in text order");
    from = at + number.size();
  }

  int last_progress = -1;
  for (const std::string& address : ExtractEmailAddresses(text, [&](int percent) {
         fuzz::Check(percent >= 0 && percent <= 100, "progress out of range");
         last_progress = percent;
       })) {
    fuzz::Check(address.find('@') != std::string::npos, "an address without '@'");
    fuzz::Check(address.front() != '.' && address.back() != '.', "an address with an end dot");
    fuzz::Check(text.find(address) != std::string_view::npos, "an address not in the text");
  }
  (void)last_progress;
  return 0;
}
