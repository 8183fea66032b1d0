#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "online/http_get_client.h"
#include "online/http_transfer.h"
#include "support/local_http_server.h"
#include "support/raw_socket.h"

namespace tessaril {
namespace {

using testing::LocalHttpServer;

struct ResolveCase {
  const char* current;
  const char* location;
  const char* expected;
};

TEST(ResolveRedirect, ResolvesAgainstTheCurrentUrl) {
  const ResolveCase cases[] = {
      {"http://h/x/y/a.txt", "/path", "http://h/path"},
      {"http://h:8080/x/a.txt", "/p?q=1", "http://h:8080/p?q=1"},
      {"http://h/x/y/a.txt", "b.txt", "http://h/x/y/b.txt"},
      {"http://h/x/y/a.txt", "../b.txt", "http://h/x/b.txt"},
      {"http://h/x/y/a.txt", "../../b.txt", "http://h/b.txt"},
      // Climbing never goes above the host.
      {"http://h/x/y/a.txt", "../../../../b.txt", "http://h/b.txt"},
      {"http://h/x/y/a.txt", "/../b.txt", "http://h/../b.txt"},
      // A URL without a path gets the root path first.
      {"http://h", "b.txt", "http://h/b.txt"},
      {"http://h", "/b.txt", "http://h/b.txt"},
      {"http://h", "../b.txt", "http://h/b.txt"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ResolveRedirect(c.current, c.location), c.expected)
        << c.current << " + " << c.location;
  }
}

TEST(RedirectUrl, TakesTheLocationOfTheAnswersHead) {
  const std::string from = "http://h/x/a.txt";
  EXPECT_EQ(RedirectUrl(from, "HTTP/1.1 302 Found\r\nLocation: b.txt\r\n\r\n"), "http://h/x/b.txt");
  EXPECT_EQ(RedirectUrl(from, "HTTP/1.1 301 Moved\r\nLocation: HTTP://o.example/c\r\nX: y\r\n"),
            "HTTP://o.example/c");
  // A head cut off inside its last line still names the location.
  EXPECT_EQ(RedirectUrl(from, "HTTP/1.1 307 Temp\r\nLocation: /root"), "http://h/root");
  EXPECT_EQ(RedirectUrl(from, "HTTP/1.1 302 Found\r\nLocation: \r\n"), "http://h/x/");
  EXPECT_EQ(RedirectUrl(from, "HTTP/1.1 302 Found\r\nLocation:b.txt\r\n\r\n"), std::nullopt);
  EXPECT_EQ(RedirectUrl(from, ""), std::nullopt);
}

TEST(IsWebUrl, OnlyHttpAndHttpsWithAHost) {
  EXPECT_TRUE(IsWebUrl("http://a.example/x"));
  EXPECT_TRUE(IsWebUrl("HTTPS://a.example"));
  for (const char* url : {"", "file:///etc/passwd", "javascript:alert(1)", "ftp://h/x", "http:/h",
                          "http://", "mailto:a@b.example", "/local/path", "www.example.com"}) {
    EXPECT_FALSE(IsWebUrl(url)) << url;
  }
}

class HttpGetClientTest : public ::testing::Test {
 protected:
  LocalHttpServer server_;
  CHttpGetClient client_;
  std::string output_;
};

TEST_F(HttpGetClientTest, BodyArrivesWithEveryLineEndedByCrLf) {
  server_.On("/two.txt", 200, "first\nsecond");
  server_.On("/crlf.txt", 200, "a\r\n\r\nb\r\n");
  ASSERT_TRUE(client_.Get(server_.Url("/two.txt"), output_)) << client_.ErrorText();
  EXPECT_EQ(output_, "first\r\nsecond\r\n");
  EXPECT_EQ(client_.StatusCode(), 200u);
  std::string crlf;
  CHttpGetClient second;
  ASSERT_TRUE(second.Get(server_.Url("/crlf.txt"), crlf));
  EXPECT_EQ(crlf, "a\r\n\r\nb\r\n");
}

TEST_F(HttpGetClientTest, SendsItsOwnUserAgentAndAcceptHeader) {
  server_.On("/a.txt", 200, "x");
  ASSERT_TRUE(client_.Get(server_.Url("/a.txt"), output_));
  const auto requests = server_.Requests();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].user_agent, "Marrowby Http Client");
  EXPECT_EQ(requests[0].accept, "text/*");
}

TEST_F(HttpGetClientTest, FollowsRedirectsWithAFreshRequest) {
  server_.On("/start", 302, "", {{"Location", "/path"}});
  server_.On("/path", 200, "landed");
  server_.On("/x/y/a.txt", 301, "", {{"Location", "../b.txt"}});
  server_.On("/x/b.txt", 200, "climbed");
  ASSERT_TRUE(client_.Get(server_.Url("/start"), output_)) << client_.ErrorText();
  EXPECT_EQ(output_, "landed\r\n");
  std::string climbed;
  CHttpGetClient second;
  ASSERT_TRUE(second.Get(server_.Url("/x/y/a.txt"), climbed)) << second.ErrorText();
  EXPECT_EQ(climbed, "climbed\r\n");
  EXPECT_EQ(server_.Paths(),
            (std::vector<std::string>{"/start", "/path", "/x/y/a.txt", "/x/b.txt"}));
}

TEST_F(HttpGetClientTest, AbsoluteLocationReplacesTheUrl) {
  server_.On("/there", 200, "there");
  server_.On("/jump", 303, "", {{"Location", server_.Url("/there")}});
  ASSERT_TRUE(client_.Get(server_.Url("/jump"), output_)) << client_.ErrorText();
  EXPECT_EQ(output_, "there\r\n");
}

struct FailureCase {
  const char* path;
  int status;
  std::vector<std::pair<std::string, std::string>> headers;
  const char* error;
};

TEST_F(HttpGetClientTest, FailingAnswersGiveTheirErrorText) {
  const FailureCase cases[] = {
      {"/moved", 301, {}, "Error: Site redirects with no new location"},
      {"/missing", 404, {}, "没有找到网页 [Not Found]"},
      {"/forbidden", 403, {}, "禁止访问 [Forbidden]"},
      {"/broken", 500, {}, "服务器内部错误 [Internal Server Error]"},
      // A status outside the table leaves the error text as it was: empty on a fresh client.
      {"/temporary", 307, {{"Location", "/elsewhere"}}, ""},
      {"/teapot", 418, {}, ""},
  };
  for (const auto& c : cases)
    server_.On(c.path, c.status, "page", c.headers);
  for (const auto& c : cases) {
    CHttpGetClient client;
    std::string output;
    EXPECT_FALSE(client.Get(server_.Url(c.path), output)) << c.path;
    EXPECT_EQ(client.ErrorText(), c.error) << c.path;
    EXPECT_EQ(output, "") << c.path;
    EXPECT_EQ(client.StatusCode(), static_cast<unsigned>(c.status)) << c.path;
  }
}

TEST_F(HttpGetClientTest, RefusesHttpsAndMalformedUrlsWithoutConnecting) {
  for (const char* url :
       {"https://127.0.0.1:1/ad.txt", "ftp://127.0.0.1/ad.txt", "not a url", ""}) {
    CHttpGetClient client;
    std::string output;
    EXPECT_FALSE(client.Get(url, output)) << url;
    EXPECT_EQ(client.ErrorText(), "非法的URL") << url;
  }
  // A redirect to https is followed to the refusal.
  server_.On("/secure", 302, "", {{"Location", "https://127.0.0.1:1/x"}});
  EXPECT_FALSE(client_.Get(server_.Url("/secure"), output_));
  EXPECT_EQ(client_.ErrorText(), "非法的URL");
}

TEST_F(HttpGetClientTest, RedirectLoopEndsAfterTenHops) {
  server_.On("/loop", 302, "", {{"Location", "/loop"}});
  EXPECT_FALSE(client_.Get(server_.Url("/loop"), output_));
  EXPECT_EQ(client_.ErrorText(), "重定向次数过多");
  EXPECT_EQ(server_.Paths().size(), 11u);  // the first request and ten hops
}

TEST_F(HttpGetClientTest, BodyLimitIsOneMebibyte) {
  server_.On("/exact", 200, std::string(kMaxBodyBytes, 'a'));
  server_.On("/big", 200, std::string(kMaxBodyBytes + 1, 'a'));
  ASSERT_TRUE(client_.Get(server_.Url("/exact"), output_)) << client_.ErrorText();
  EXPECT_EQ(output_.size(), kMaxBodyBytes + 2);
  CHttpGetClient big;
  std::string output;
  EXPECT_FALSE(big.Get(server_.Url("/big"), output));
  EXPECT_EQ(big.ErrorText(), "接收数据错误");
  EXPECT_EQ(output, "");  // no complete line arrived
}

// A server on 127.0.0.1 that answers one connection with `reply` as raw bytes and closes it:
// for answers no proper HTTP server gives.
class RawReplyServer {
 public:
  explicit RawReplyServer(std::string reply) {
    listener_ = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address);
    listen(listener_, 1);
    testing::SocketLength length = sizeof address;
    getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this, reply] {
      const testing::SocketHandle connection = accept(listener_, nullptr, nullptr);
      if (!testing::IsValidSocket(connection))
        return;
      char request[4096];
      (void)!recv(connection, request, sizeof request, 0);
      (void)!send(connection, reply.data(), static_cast<int>(reply.size()), testing::kNoSignal);
      testing::CloseSocket(connection);
    });
  }
  ~RawReplyServer() { testing::StopListener(listener_, thread_); }
  std::string Url() const { return "http://127.0.0.1:" + std::to_string(port_) + "/a.txt"; }

 private:
  testing::SocketHandle listener_{};
  int port_ = 0;
  std::thread thread_;
};

TEST(HttpGetClient, BrokenAnswersGiveTheirErrorTexts) {
  const std::pair<std::string, const char*> cases[] = {
      {"", "无法发送http报头,可能网络状况有问题"},
      {"HELLO THERE\r\n\r\n", "网络错误－无法查询反馈代码"},
      {"HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\nfirst\nsecond\nthi", "接收数据错误"},
  };
  for (const auto& [reply, error] : cases) {
    RawReplyServer server(reply);
    CHttpGetClient client;
    std::string output;
    EXPECT_FALSE(client.Get(server.Url(), output)) << reply;
    EXPECT_EQ(client.ErrorText(), error) << reply;
    // What arrived whole before the body broke off stays.
    EXPECT_EQ(output, reply.starts_with("HTTP/") ? "first\r\nsecond\r\n" : "") << reply;
  }
}

TEST(HttpGetClient, ReservedDomainFailsAtOnce) {
  const auto start = std::chrono::steady_clock::now();
  CHttpGetClient client;
  std::string output;
  EXPECT_FALSE(client.Get("http://www.korvanetessaril.example/ad.txt", output));
  EXPECT_EQ(client.ErrorText(), "无法与服务器建立连接");
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(200));
}

}  // namespace
}  // namespace tessaril
