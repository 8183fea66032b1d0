// The HTTP client's handling of a redirect answer: the Location taken from the answer's head and
// resolved against the current URL, and the texts of the status codes. The input's first line is
// the current URL's path, the rest the answer's head.
#include <string>

#include "fuzz_support.h"
#include "online/http_get_client.h"
#include "online/http_transfer.h"

using namespace tessaril;

namespace {

constexpr std::string_view kOrigin = "http://host.example";

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size())
    return false;
  for (size_t i = 0; i < prefix.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(text[i])) != prefix[i])
      return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text = fuzz::AsText(data, size);
  const size_t line_end = text.find('\n');
  std::string_view path = text.substr(0, line_end);
  const std::string head(line_end == std::string_view::npos ? "" : text.substr(line_end + 1));
  // The client resolves only against a URL it could split: a path is all a URL varies in.
  if (path.find_first_of(" \t\r#") != std::string_view::npos)
    return -1;
  std::string current(kOrigin);
  if (!path.empty() && path[0] != '/')
    current += '/';
  current += path;

  const std::optional<std::string> next = RedirectUrl(current, head);
  fuzz::Check(next.has_value() == (head.find("Location: ") != std::string::npos),
              "a location found where there is none, or missed");
  if (next) {
    // A relative location never leaves the current host.
    if (!StartsWithNoCase(*next, "http://") && !StartsWithNoCase(*next, "https://"))
      fuzz::Check(false, "a redirect that is not an absolute URL");
    const size_t at = head.find("Location: ") + 10;
    const std::string_view location = std::string_view(head).substr(at);
    if (!StartsWithNoCase(location, "http://") && !StartsWithNoCase(location, "https://"))
      fuzz::Check(next->starts_with(std::string(kOrigin) + "/"),
                  "a relative redirect left the host");
    (void)IsWebUrl(*next);
  }

  // Status texts for any code the answer's first bytes give.
  unsigned status = 0;
  for (size_t i = 0; i < text.size() && i < 4; ++i)
    status = status * 256 + static_cast<unsigned char>(text[i]);
  (void)HttpStatusText(status);
  (void)HttpStatusText(status % 1000);
  return 0;
}
