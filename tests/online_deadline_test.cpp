// Online pieces against hostile servers and files: a server that drips its answer, an
// advertisement file of a mebibyte of short lines.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <thread>

#include "online/advertisements.h"
#include "online/http_get_client.h"
#include "online/http_transfer.h"
#include "online/online_addresses.h"
#include "online/update_check.h"
#include "support/scripted_frontend.h"

namespace tessaril {
namespace {

// A server on 127.0.0.1 that answers every connection with a head announcing a large body,
// then sends one byte of it every 100 ms, for as long as the client listens.
class DrippingServer {
 public:
  DrippingServer() {
    listener_ = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address);
    listen(listener_, 4);
    socklen_t length = sizeof address;
    getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this] { Serve(); });
  }
  ~DrippingServer() {
    stop_ = true;
    thread_.join();
    close(listener_);
  }
  std::string Url(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(port_) + path;
  }

 private:
  void Serve() {
    while (!stop_) {
      pollfd ready{listener_, POLLIN, 0};
      if (poll(&ready, 1, 50) <= 0)
        continue;
      const int connection = accept(listener_, nullptr, nullptr);
      if (connection < 0)
        continue;
      char request[4096];
      (void)!recv(connection, request, sizeof request, 0);
      const std::string head = "HTTP/1.1 200 OK\r\nContent-Length: 100000\r\n\r\n";
      bool open = send(connection, head.data(), head.size(), MSG_NOSIGNAL) > 0;
      while (open && !stop_) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        open = send(connection, "a", 1, MSG_NOSIGNAL) == 1;
      }
      close(connection);
    }
  }

  int listener_ = -1;
  int port_ = 0;
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

struct NullLabel : AdLabel {
  void SetLink(const std::string&) override {}
  void SetText(const std::string&) override {}
};

// Each fetch below would never end without its deadline (the receive time-out never fires, as a
// byte arrives every 100 ms); the test only checks that each one gives up as a failure.
TEST(FetchDeadline, ADrippingServerFailsEveryFetch) {
  DrippingServer server;
  TransferOptions options;
  options.deadline_ms = 700;
  const TransferResult result = HttpTransfer(server.Url("/x"), options);
  EXPECT_EQ(result.outcome, TransferOutcome::ReceiveFailed);
  EXPECT_FALSE(result.body.empty());

  CHttpGetClient client(700);
  std::string output;
  EXPECT_FALSE(client.Get(server.Url("/ad.txt"), output));
  EXPECT_EQ(client.ErrorText(), "接收数据错误");

  std::string body;
  EXPECT_FALSE(FetchWebResource(server.Url("/notice.html"), body, 700));

  SettingsStore settings;
  settings.SetString(kOnlineSection, kUpdateUrl.key, server.Url("/update.txt"));
  settings.SetString(kOnlineSection, kAdUrl.key, server.Url("/ad.txt"));
  testing::ScriptedFrontend ui;
  NoticeState notice;
  EXPECT_FALSE(CheckForUpdate(settings, ui, notice, true, 700));
  EXPECT_TRUE(ui.calls.empty());
  Advertisements ads;
  NullLabel label;
  EXPECT_FALSE(LoadAdvertisements(settings, ads, label, 700));
  EXPECT_EQ(ads.Texts(), std::vector<std::string>{kDefaultAdText});
}

TEST(Advertisements, AMebibyteOfShortLinesIsReadWhole) {
  std::string text;
  while (text.size() < (1 << 20))
    text += "<Txt>a<Link>b\r\n";
  Advertisements ads;
  ads.Parse(text);
  ASSERT_EQ(ads.Texts().size(), text.size() / 15);
  EXPECT_EQ(ads.Texts().back(), "a");
  EXPECT_EQ(ads.Links().back(), "b");

  // Tags are taken out in one pass, a long run of them too; taking one out never makes another.
  std::string tags;
  for (int i = 0; i < 100000; ++i)
    tags += "<Txt>";
  ads.Clear();
  ads.AddLine(tags + "x<T<Txt>xt><Link>y<Link>");
  EXPECT_EQ(ads.Texts(), std::vector<std::string>{"x<Txt>"});
  EXPECT_EQ(ads.Links(), std::vector<std::string>{"y"});
}

}  // namespace
}  // namespace tessaril
