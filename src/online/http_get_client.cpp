#include "online/http_get_client.h"

#include <curl/curl.h>

#include <memory>

#include "interface/messages.h"
#include "online/http_transfer.h"
#include "platform/app_info.h"

namespace tessaril {
namespace {

constexpr std::uint32_t kReuseConnection = 0x00400000u;
constexpr std::uint32_t kNoAutoRedirect = 0x00200000u;
constexpr std::uint32_t kServiceHttp = 3;

bool StartsWithNoCase(const std::string& text, const char* prefix) {
  for (size_t i = 0; prefix[i] != '\0'; ++i) {
    if (i >= text.size() || std::tolower(static_cast<unsigned char>(text[i])) != prefix[i]) {
      return false;
    }
  }
  return true;
}

// The position just past the `ordinal`-th "/" of `text` (1-based), or npos.
size_t PastSlash(const std::string& text, int ordinal) {
  size_t pos = std::string::npos;
  for (int i = 0; i < ordinal; ++i) {
    pos = text.find('/', pos == std::string::npos ? 0 : pos + 1);
    if (pos == std::string::npos)
      return pos;
  }
  return pos + 1;
}

// Appends `body` line by line: a line ends at a line feed, carriage returns are dropped, and each
// line is followed by "\r\n". With `complete_only` a last line without its line feed is left out
// (the body broke off inside it).
void AppendLines(const std::string& body, std::string& output, std::string& line,
                 bool complete_only) {
  line.clear();
  for (char c : body) {
    if (c == '\n') {
      output += line;
      output += "\r\n";
      line.clear();
    } else if (c != '\r') {
      line.push_back(c);
    }
  }
  if (!line.empty() && !complete_only) {
    output += line;
    output += "\r\n";
  }
  line.clear();
}

}  // namespace

std::string ResolveRedirect(const std::string& current_url, const std::string& location) {
  std::string url = current_url;
  // A URL without a path after its host gets the root path.
  if (url.size() < 9 || url.find('/', 8) == std::string::npos)
    url += "/";

  const bool climbs = location.find("../") != std::string::npos;
  if (!climbs || location.starts_with("/")) {
    if (location.starts_with("/")) {
      const size_t third = PastSlash(url, 3);
      return (third == std::string::npos ? url : url.substr(0, third - 1)) + location;
    }
    return url.substr(0, url.rfind('/') + 1) + location;
  }

  int climb = 0;
  std::string rest;
  for (size_t i = 0; i < location.size();) {
    if (location.compare(i, 3, "../") == 0) {
      ++climb;
      i += 3;
    } else {
      rest.push_back(location[i++]);
    }
  }
  int slashes = 0;
  for (char c : url)
    slashes += c == '/';
  const int cut = slashes - climb > 2 ? slashes - climb : 3;
  const size_t end = PastSlash(url, cut);
  std::string base = end == std::string::npos ? url : url.substr(0, end);
  if (!base.ends_with("/"))
    base += "/";
  return base + rest;
}

std::optional<std::string> RedirectUrl(const std::string& current_url,
                                       const std::string& raw_headers) {
  const size_t found = raw_headers.find("Location: ");
  if (found == std::string::npos)
    return std::nullopt;
  const size_t start = found + 10;
  size_t end = raw_headers.find_first_of("\r\n", start);
  if (end == std::string::npos)
    end = raw_headers.size();
  std::string location = raw_headers.substr(start, end - start);
  // An absolute location replaces the URL (an https one then fails as not HTTP); anything else is
  // a path relative to the current URL.
  if (StartsWithNoCase(location, "http://") || StartsWithNoCase(location, "https://"))
    return location;
  return ResolveRedirect(current_url, location);
}

const char* HttpStatusText(unsigned status) {
  switch (status) {
    case 100:
      return "客户方错误-继续 [Continue]";
    case 101:
      return "客户方错误-交换协议 [witching Protocols]";
    case 400:
      return "错误请求 [Bad Request]";
    case 401:
      return "网页需要验证信息 [Unauthorized]";
    case 402:
      return "网页需要付费 [Payment Required]";
    case 403:
      return "禁止访问 [Forbidden]";
    case 404:
      return "没有找到网页 [Not Found]";
    case 405:
      return "不允许Http访问该文件 [Method Not Allowed]";
    case 406:
      return "该文件不允许访问 [Not Acceptable]";
    case 407:
      return "该文件需要代理认证 [Proxy Authentication Required]";
    case 408:
      return "对该文件请求超时 [Request Time-out]";
    case 409:
      return "对该文件访问冲突 [Conflict]";
    case 410:
      return "对该文件访问失败 [Gone]";
    case 411:
      return "该文件需要长度信息 [Length Required]";
    case 412:
      return "请求条件失败 [Precondition Failed]";
    case 413:
      return "请求文件实体太大 [Request Entity Too Large]";
    case 414:
      return "请求的URI太长 [Request-URI Too Large]";
    case 415:
      return "不支持媒体类型 [Unsupported Media Type]";
    case 416:
      return "队列请求失败 [Requested range not satisfiable]";
    case 417:
      return "预期失败 [Expectation Failed]";
    case 500:
      return "服务器内部错误 [Internal Server Error]";
    case 501:
      return "未实现请求 [Not Implemented]";
    case 502:
      return "网关失败 [Bad Gateway]";
    case 503:
      return "没有找到服务器 [Service Unavailable]";
    case 504:
      return "网关超时 [Gateway Time-out]";
    case 505:
      return "服务器不支持系统使用的HTTP版本 [HTTP Version not supported]";
    default:
      return nullptr;
  }
}

CHttpGetClient::CHttpGetClient(long deadline_ms)
    : request_flags_(kReuseConnection | kNoAutoRedirect), deadline_ms_(deadline_ms) {}

bool CHttpGetClient::SplitUrl(const std::string& url) {
  std::unique_ptr<CURLU, decltype(&curl_url_cleanup)> handle(curl_url(), &curl_url_cleanup);
  if (!handle || curl_url_set(handle.get(), CURLUPART_URL, url.c_str(), 0) != CURLUE_OK) {
    return false;
  }
  auto part = [&](CURLUPart which, unsigned flags, std::string& into) {
    char* value = nullptr;
    if (curl_url_get(handle.get(), which, &value, flags) != CURLUE_OK)
      return false;
    into = value;
    curl_free(value);
    return true;
  };
  std::string scheme, port, query;
  if (!part(CURLUPART_SCHEME, 0, scheme) || !part(CURLUPART_HOST, 0, server_) ||
      !part(CURLUPART_PATH, 0, object_) || !part(CURLUPART_PORT, CURLU_DEFAULT_PORT, port)) {
    return false;
  }
  if (part(CURLUPART_QUERY, 0, query))
    object_ += "?" + query;
  // Only plain HTTP is accepted; an https URL counts as not HTTP.
  if (scheme != "http" || server_.empty())
    return false;
  service_type_ = kServiceHttp;
  port_ = static_cast<std::uint16_t>(std::stoul(port));
  return true;
}

bool CHttpGetClient::Get(const std::string& url, std::string& output) {
  url_ = url;
  deadline_ = std::chrono::steady_clock::now() + std::chrono::milliseconds(deadline_ms_);
  for (int hop = 0;; ++hop) {
    const int outcome = GetOnce(output);
    if (outcome <= 0)
      return outcome == 0;
    if (hop == kMaxRedirects) {
      // A redirect loop ends here instead of asking the server for ever.
      output.clear();
      error_text_ = "重定向次数过多";
      return false;
    }
  }
}

int CHttpGetClient::GetOnce(std::string& output) {
  status_code_ = 0xFFFFFFFFu;
  service_type_ = 0;
  if (!SplitUrl(url_)) {
    error_text_ = kBadUrl;
    return -1;
  }

  TransferOptions options;
  options.user_agent = kApplicationName;
  options.headers = {"Accept: text/*", "User-Agent: Marrowby Http Client"};
  options.allow_https = false;
  options.max_redirects = 0;
  options.connect_timeout_ms = 10000;
  options.connect_tries = 3;
  options.retry_pause_ms = 1000;
  options.receive_timeout_ms = 60000;
  options.deadline_ms = static_cast<long>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                              deadline_ - std::chrono::steady_clock::now())
                                              .count());
  if (options.deadline_ms <= 0) {
    // The redirects before used up the time of the fetch.
    output.clear();
    error_text_ = kNetworkError;
    return -1;
  }
  const TransferResult result = HttpTransfer(url_, options);

  switch (result.outcome) {
    case TransferOutcome::BadUrl:
      error_text_ = kBadUrl;
      return -1;
    case TransferOutcome::ConnectFailed:
      error_text_ = "无法与服务器建立连接";
      return -1;
    case TransferOutcome::SendFailed:
      output.clear();
      error_text_ = "无法发送http报头,可能网络状况有问题";
      return -1;
    case TransferOutcome::NoStatus:
      output.clear();
      error_text_ = "网络错误－无法查询反馈代码";
      return -1;
    case TransferOutcome::TooManyRedirects:
    case TransferOutcome::Failed:
      error_text_ = kNetworkError;
      return -1;
    case TransferOutcome::Done:
    case TransferOutcome::ReceiveFailed:
    case TransferOutcome::TooLarge:
      break;
  }

  status_code_ = static_cast<std::uint32_t>(result.status);
  if (result.status >= 200 && result.status <= 299) {
    const bool complete = result.outcome == TransferOutcome::Done;
    AppendLines(result.body, output, line_buffer_, !complete);
    if (!complete) {
      error_text_ = "接收数据错误";
      return -1;
    }
    return 0;
  }

  if (result.status >= 300 && result.status <= 306) {
    raw_headers_ = result.raw_headers;
    std::optional<std::string> next = RedirectUrl(url_, raw_headers_);
    if (!next) {
      error_text_ = "Error: Site redirects with no new location";
      return -1;
    }
    url_ = std::move(*next);
    output.clear();
    return 1;
  }

  output.clear();
  if (const char* text = HttpStatusText(static_cast<unsigned>(result.status)))
    error_text_ = text;
  return -1;
}

}  // namespace tessaril
