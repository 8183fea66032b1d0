#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace tessaril {

// True for an http or https URL with a host ("http://host...", "HTTPS://host..."). Only such a
// link, when it comes from the network or from a label, is ever handed to the desktop.
bool IsWebUrl(const std::string& url);

// The largest body any online piece accepts.
inline constexpr std::size_t kMaxBodyBytes = 1024 * 1024;

// How one request is made.
struct TransferOptions {
  std::string user_agent;
  // Extra request headers, each "Name: value"; a header named here replaces the library's own.
  std::vector<std::string> headers;
  bool allow_https = false;
  // Redirects followed by the transfer itself (0: a redirect answer is returned as it is).
  int max_redirects = 0;
  long connect_timeout_ms = 10000;
  // Connection attempts when the server refuses or cannot be reached.
  int connect_tries = 1;
  long retry_pause_ms = 1000;
  // A transfer that receives nothing for this long fails.
  long receive_timeout_ms = 60000;
  // The whole request, connection tries and redirects included, fails once it has taken this
  // long: a server that drips its answer a byte at a time never holds a fetch for longer.
  long deadline_ms = 60000;
  std::size_t max_body = kMaxBodyBytes;
  // Read the body only of an answer with a status from 200 to 299.
  bool body_only_on_success = true;
};

// What happened to one request.
enum class TransferOutcome {
  Done,              // an answer was received (see status)
  BadUrl,            // not a URL of an allowed scheme
  ConnectFailed,     // the host did not resolve, refused, or the TLS handshake failed
  SendFailed,        // connected, but the request went out or the answer's head came back broken
  NoStatus,          // the answer has no readable status line
  ReceiveFailed,     // the body broke off
  TooLarge,          // the body is larger than max_body
  TooManyRedirects,  // more redirects than max_redirects
  Failed,            // any other failure of the library
};

struct TransferResult {
  TransferOutcome outcome = TransferOutcome::Failed;
  long status = -1;
  // The final answer's head as received, each line ending in "\r\n".
  std::string raw_headers;
  // The body bytes received (up to max_body).
  std::string body;
  // The answer's Content-Length, or -1 when it gave none.
  long long content_length = -1;
};

// One GET of `url` over libcurl with the system's proxy settings (the usual proxy environment
// variables). https is verified against the system's certificate store. A host on the reserved
// ".example" or ".invalid" domains fails at once as unresolvable, without asking the resolver.
TransferResult HttpTransfer(const std::string& url, const TransferOptions& options);

// A web page or one of its pictures, for the notice view: http or https (verified), at most 10
// redirects, at most kMaxBodyBytes, within `deadline_ms`. False on any failure and on a status
// other than 2xx.
inline constexpr long kWebResourceDeadlineMs = 30000;
bool FetchWebResource(const std::string& url, std::string& body,
                      long deadline_ms = kWebResourceDeadlineMs);

}  // namespace tessaril
