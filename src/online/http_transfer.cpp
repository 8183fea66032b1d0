#include "online/http_transfer.h"
#include "platform/app_info.h"

#include <curl/curl.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <memory>
#include <mutex>
#include <thread>

namespace tessaril {
namespace {

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

bool StartsWithNoCase(const std::string& text, const std::string& prefix) {
  return text.size() >= prefix.size() && Lower(text.substr(0, prefix.size())) == prefix;
}

// Names under these top-level domains are reserved and never resolve.
bool IsReservedHost(std::string host) {
  host = Lower(host);
  while (!host.empty() && host.back() == '.')
    host.pop_back();
  for (const std::string domain : {"example", "invalid"}) {
    if (host == domain)
      return true;
    if (host.size() > domain.size() && host.ends_with("." + domain))
      return true;
  }
  return false;
}

void InitialiseCurlOnce() {
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

struct UrlParts {
  std::string scheme;
  std::string host;
};

bool ParseUrl(const std::string& url, UrlParts& parts) {
  std::unique_ptr<CURLU, decltype(&curl_url_cleanup)> handle(curl_url(), &curl_url_cleanup);
  if (!handle || curl_url_set(handle.get(), CURLUPART_URL, url.c_str(), 0) != CURLUE_OK) {
    return false;
  }
  char* scheme = nullptr;
  char* host = nullptr;
  bool ok = curl_url_get(handle.get(), CURLUPART_SCHEME, &scheme, 0) == CURLUE_OK &&
            curl_url_get(handle.get(), CURLUPART_HOST, &host, 0) == CURLUE_OK;
  if (ok) {
    parts.scheme = Lower(scheme);
    parts.host = host;
  }
  curl_free(scheme);
  curl_free(host);
  return ok && !parts.host.empty();
}

// What the callbacks see of one attempt.
struct Receiver {
  CURL* curl = nullptr;
  const TransferOptions* options = nullptr;
  TransferResult* result = nullptr;
  bool headers_done = false;
  bool body_skipped = false;
  bool too_large = false;
};

size_t OnHeader(char* data, size_t size, size_t count, void* user) {
  auto* receiver = static_cast<Receiver*>(user);
  const std::string line(data, size * count);
  if (line.starts_with("HTTP/")) {
    // A new answer: an interim 100 or a redirect the transfer follows came before it.
    receiver->result->raw_headers.clear();
    receiver->headers_done = false;
  }
  receiver->result->raw_headers += line;
  if (line == "\r\n" || line == "\n") {
    long status = 0;
    curl_easy_getinfo(receiver->curl, CURLINFO_RESPONSE_CODE, &status);
    if (status >= 200)
      receiver->headers_done = true;
  }
  return size * count;
}

size_t OnBody(char* data, size_t size, size_t count, void* user) {
  auto* receiver = static_cast<Receiver*>(user);
  long status = 0;
  curl_easy_getinfo(receiver->curl, CURLINFO_RESPONSE_CODE, &status);
  if (receiver->options->body_only_on_success && (status < 200 || status > 299)) {
    receiver->body_skipped = true;
    return 0;  // ends the transfer; the answer's head is all that is wanted
  }
  std::string& body = receiver->result->body;
  const size_t bytes = size * count;
  if (body.size() + bytes > receiver->options->max_body) {
    body.append(data, receiver->options->max_body - body.size());
    receiver->too_large = true;
    return 0;
  }
  body.append(data, bytes);
  return bytes;
}

TransferOutcome Classify(CURLcode code, const Receiver& receiver, CURL* curl) {
  if (code == CURLE_OK)
    return TransferOutcome::Done;
  if (receiver.too_large)
    return TransferOutcome::TooLarge;
  if (receiver.body_skipped && code == CURLE_WRITE_ERROR)
    return TransferOutcome::Done;
  curl_off_t connect_time = 0;
  curl_easy_getinfo(curl, CURLINFO_CONNECT_TIME_T, &connect_time);
  switch (code) {
    case CURLE_TOO_MANY_REDIRECTS:
      return TransferOutcome::TooManyRedirects;
    case CURLE_UNSUPPORTED_PROTOCOL:
    case CURLE_URL_MALFORMAT:
      // After connecting, an answer without an HTTP status line is reported this way too.
      if (connect_time != 0 && !receiver.headers_done)
        return TransferOutcome::NoStatus;
      return TransferOutcome::BadUrl;
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_RESOLVE_PROXY:
    case CURLE_COULDNT_CONNECT:
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SSL_CACERT_BADFILE:
    case CURLE_SSL_CERTPROBLEM:
    case CURLE_SSL_CIPHER:
      return TransferOutcome::ConnectFailed;
    case CURLE_WEIRD_SERVER_REPLY:
      return receiver.headers_done ? TransferOutcome::ReceiveFailed : TransferOutcome::NoStatus;
    default:
      break;
  }
  if (receiver.headers_done)
    return TransferOutcome::ReceiveFailed;
  if (connect_time == 0)
    return TransferOutcome::ConnectFailed;
  return TransferOutcome::SendFailed;
}

}  // namespace

bool IsWebUrl(const std::string& url) {
  if (!StartsWithNoCase(url, "http://") && !StartsWithNoCase(url, "https://"))
    return false;
  UrlParts parts;
  return ParseUrl(url, parts) && (parts.scheme == "http" || parts.scheme == "https");
}

TransferResult HttpTransfer(const std::string& url, const TransferOptions& options) {
  TransferResult result;
  UrlParts parts;
  if (!ParseUrl(url, parts) ||
      !(parts.scheme == "http" || (options.allow_https && parts.scheme == "https"))) {
    result.outcome = TransferOutcome::BadUrl;
    return result;
  }
  if (IsReservedHost(parts.host)) {
    result.outcome = TransferOutcome::ConnectFailed;
    return result;
  }
  InitialiseCurlOnce();
  const char* protocols = options.allow_https ? "http,https" : "http";
  const auto deadline =
      std::chrono::steady_clock::now() + std::chrono::milliseconds(options.deadline_ms);
  auto time_left_ms = [&] {
    return std::chrono::duration_cast<std::chrono::milliseconds>(deadline -
                                                                 std::chrono::steady_clock::now())
        .count();
  };

  for (int attempt = 1;; ++attempt) {
    result = TransferResult{};
    std::unique_ptr<CURL, decltype(&curl_easy_cleanup)> curl(curl_easy_init(), &curl_easy_cleanup);
    if (!curl)
      return result;
    curl_slist* headers = nullptr;
    for (const std::string& header : options.headers) {
      headers = curl_slist_append(headers, header.c_str());
    }
    Receiver receiver{curl.get(), &options, &result};
    CURL* c = curl.get();
    curl_easy_setopt(c, CURLOPT_URL, url.c_str());
    curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, protocols);
    curl_easy_setopt(c, CURLOPT_REDIR_PROTOCOLS_STR, protocols);
    curl_easy_setopt(c, CURLOPT_HTTP_VERSION, CURL_HTTP_VERSION_1_1);
    curl_easy_setopt(c, CURLOPT_HTTPGET, 1L);
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(c, CURLOPT_USERAGENT, options.user_agent.c_str());
    curl_easy_setopt(c, CURLOPT_HTTPHEADER, headers);
    curl_easy_setopt(c, CURLOPT_FOLLOWLOCATION, options.max_redirects > 0 ? 1L : 0L);
    curl_easy_setopt(c, CURLOPT_MAXREDIRS, static_cast<long>(options.max_redirects));
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT_MS, options.connect_timeout_ms);
    curl_easy_setopt(c, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(c, CURLOPT_LOW_SPEED_TIME, std::max(1L, options.receive_timeout_ms / 1000));
    curl_easy_setopt(c, CURLOPT_TIMEOUT_MS,
                     static_cast<long>(std::max<long long>(1, time_left_ms())));
    curl_easy_setopt(c, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(c, CURLOPT_SSL_VERIFYHOST, 2L);
    curl_easy_setopt(c, CURLOPT_HEADERFUNCTION, &OnHeader);
    curl_easy_setopt(c, CURLOPT_HEADERDATA, &receiver);
    curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, &OnBody);
    curl_easy_setopt(c, CURLOPT_WRITEDATA, &receiver);

    const CURLcode code = curl_easy_perform(c);
    curl_slist_free_all(headers);
    result.outcome = Classify(code, receiver, c);
    if (result.outcome == TransferOutcome::Done ||
        result.outcome == TransferOutcome::ReceiveFailed ||
        result.outcome == TransferOutcome::TooLarge) {
      curl_easy_getinfo(c, CURLINFO_RESPONSE_CODE, &result.status);
      curl_off_t length = -1;
      curl_easy_getinfo(c, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length);
      result.content_length = length;
    }
    // A server that refused or did not answer is tried again after a pause; a name that does
    // not resolve, or a machine without a route to it (no network at all), is not.
    long os_error = 0;
    curl_easy_getinfo(c, CURLINFO_OS_ERRNO, &os_error);
    if (code != CURLE_COULDNT_CONNECT || os_error == ENETUNREACH || os_error == EHOSTUNREACH ||
        attempt >= options.connect_tries || time_left_ms() <= options.retry_pause_ms)
      break;
    std::this_thread::sleep_for(std::chrono::milliseconds(options.retry_pause_ms));
  }
  return result;
}

bool FetchWebResource(const std::string& url, std::string& body, long deadline_ms) {
  TransferOptions options;
  options.user_agent = kApplicationName;
  options.allow_https = true;
  options.max_redirects = 10;
  // Pages are fetched while the window waits: a server that does not answer must not hold it long.
  options.connect_timeout_ms = 5000;
  options.receive_timeout_ms = 30000;
  options.deadline_ms = deadline_ms;
  TransferResult result = HttpTransfer(url, options);
  if (result.outcome != TransferOutcome::Done || result.status < 200 || result.status > 299) {
    return false;
  }
  body = std::move(result.body);
  return true;
}

}  // namespace tessaril
