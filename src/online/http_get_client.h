#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

namespace tessaril {

// Resolves a redirect's Location that is not an absolute http URL against the current URL, the
// way the client always has: a location beginning with "/" replaces the path; one containing
// "../" climbs one folder per occurrence (never above the host); anything else replaces the last
// path segment.
std::string ResolveRedirect(const std::string& current_url, const std::string& location);

// The URL a redirect answer whose head is `raw_headers` leads to from `current_url`: the text
// after the first "Location: " up to its line end, taken as it stands when it is an absolute http
// or https URL and resolved by ResolveRedirect otherwise. Nothing when the head has no location.
std::optional<std::string> RedirectUrl(const std::string& current_url,
                                       const std::string& raw_headers);

// The error text of an HTTP status, or nothing for a status without one.
const char* HttpStatusText(unsigned status);

// Fetches one text resource over plain HTTP with GET, following redirects itself (at most
// kMaxRedirects hops), and returns the body with every line ended by "\r\n", or the reason in
// ErrorText(). Used once per fetch, then discarded.
class CHttpGetClient {
 public:
  static constexpr int kMaxRedirects = 10;

  // Every Get ends within `deadline_ms`, its redirects and connection tries included.
  static constexpr long kDeadlineMs = 60000;
  explicit CHttpGetClient(long deadline_ms = kDeadlineMs);

  // On success appends the body to `output` and returns true; on failure returns false with the
  // message in ErrorText(). The caller passes an empty `output`.
  bool Get(const std::string& url, std::string& output);

  const std::string& ErrorText() const { return error_text_; }
  // The last HTTP status; all ones until an answer was read.
  std::uint32_t StatusCode() const { return status_code_; }

 private:
  // One hop: 1 when the answer redirects (url_ then holds the next URL), 0 on success, -1 on
  // failure.
  int GetOnce(std::string& output);
  bool SplitUrl(const std::string& url);

  std::string error_text_;
  std::string server_;
  std::string object_;
  std::uint16_t port_ = 0;
  std::uint32_t service_type_ = 0;
  // Reuse an existing connection; never follow redirects behind the client's back.
  [[maybe_unused]] std::uint32_t request_flags_;
  std::uint32_t status_code_ = 0xFFFFFFFFu;
  std::string raw_headers_;
  std::string line_buffer_;
  std::string url_;
  long deadline_ms_;
  std::chrono::steady_clock::time_point deadline_;
};

}  // namespace tessaril
