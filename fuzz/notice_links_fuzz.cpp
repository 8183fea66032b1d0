// The notice page's HTML: the links that ask for a new window, which the view hands to the
// desktop.
#include <string>

#include "fuzz_support.h"
#include "online/notice_page.h"

using namespace tessaril;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string html(fuzz::AsText(data, size));
  for (const std::string& link : NewWindowLinks(html))
    fuzz::Check(link.size() <= html.size(), "a link longer than the page");
  return 0;
}
