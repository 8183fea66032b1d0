#include "online/update_check.h"

#include <charconv>
#include <cmath>

#include "interface/messages.h"
#include "online/http_transfer.h"
#include "online/online_addresses.h"

namespace tessaril {
namespace {

std::string Between(const std::string& text, const std::string& open, const std::string& close) {
  const size_t start = text.find(open);
  if (start == std::string::npos)
    return {};
  const size_t from = start + open.size();
  const size_t end = text.find(close, from);
  if (end == std::string::npos)
    return {};
  return text.substr(from, end - from);
}

}  // namespace

bool NoticeDocumentComplete(NoticeState& notice) {
  if (!notice.download_pending)
    return false;
  notice.download_pending = false;
  return true;
}

UpdateFile ParseUpdateFile(const std::string& text) {
  return {Between(text, "<版本号>", "</版本号>"), Between(text, "<下载地址>", "</下载地址>")};
}

double LeadingDecimal(const std::string& text) {
  // Independent of the locale: the window runs with the user's, whose decimal mark may differ.
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r')))
    ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-'))
    negative = text[i++] == '-';
  double value = 0;
  const auto [end, error] = std::from_chars(text.data() + i, text.data() + text.size(), value,
                                            std::chars_format::general);
  if (error != std::errc() || !std::isfinite(value))
    return 0;
  (void)end;
  return negative ? -value : value;
}

bool CheckForUpdate(const SettingsStore& settings, Frontend& frontend, NoticeState& notice,
                    bool verbose, long deadline_ms) {
  std::optional<std::string> text =
      FetchUpdateFile(OnlineAddressOf(settings, kUpdateUrl), deadline_ms);
  return text && OfferUpdate(*text, frontend, notice, verbose);
}

std::optional<std::string> FetchUpdateFile(const std::string& url, long deadline_ms) {
  if (!IsWebUrl(url))
    return std::nullopt;

  TransferOptions options;
  options.user_agent = "http-get-demo";
  // Always from the server, never from a cache on the way.
  options.headers = {"Cache-Control: no-cache", "Pragma: no-cache"};
  options.allow_https = true;
  options.max_redirects = 10;
  // The check runs while the window opens: a server that does not answer must not hold it long.
  options.connect_timeout_ms = 5000;
  options.receive_timeout_ms = 30000;
  options.deadline_ms = deadline_ms;
  TransferResult result = HttpTransfer(url, options);
  if (result.outcome != TransferOutcome::Done || result.status < 200 || result.status > 299 ||
      result.content_length < 0 || result.body.empty()) {
    return std::nullopt;
  }
  return std::move(result.body);
}

bool OfferUpdate(const std::string& text, Frontend& frontend, NoticeState& notice, bool verbose) {
  const UpdateFile file = ParseUpdateFile(text);
  const double published = LeadingDecimal(file.version);
  if (published - notice.current_version > 0.05) {
    if (!frontend.AskYesNo(kNewVersionQuestion, kPromptCaption))
      return false;
    // An address read from the network is followed only when it is a web address.
    if (!IsWebUrl(file.download_address))
      return false;
    notice.download_pending = true;
    frontend.OpenUrl(file.download_address);
    return true;
  }
  if (verbose)
    frontend.ShowMessage({kLatestVersion, "", MessageIcon::None, false});
  return false;
}

}  // namespace tessaril
