#include <gtest/gtest.h>

#include <chrono>

#include "online/advertisements.h"
#include "online/notice_page.h"
#include "online/online_addresses.h"
#include "online/update_check.h"
#include "support/local_http_server.h"
#include "support/temp_dir.h"

namespace tessaril {
namespace {

using testing::LocalHttpServer;

TEST(UpdateFile, ReadsTheFirstTagPairsAndTheLeadingNumber) {
  const UpdateFile file =
      ParseUpdateFile("x<版本号>8.1</版本号><下载地址>http://h/a.exe</下载地址><版本号>9</版本号>");
  EXPECT_EQ(file.version, "8.1");
  EXPECT_EQ(file.download_address, "http://h/a.exe");
  // A closing tag before its opening tag does not count.
  EXPECT_EQ(ParseUpdateFile("</版本号>8.1<版本号>").version, "");
  EXPECT_EQ(ParseUpdateFile("<下载地址>http://h").download_address, "");

  const std::pair<const char*, double> numbers[] = {
      {"8.1", 8.1}, {" 8.04abc", 8.04}, {"", 0}, {"abc", 0}, {"-1.5", -1.5}, {"9", 9}, {"nan", 0}};
  for (const auto& [text, value] : numbers)
    EXPECT_DOUBLE_EQ(LeadingDecimal(text), value) << text;
}

// A label that records what the advertisement line does to it.
struct RecordingLabel : AdLabel {
  void SetLink(const std::string& link) override { calls.push_back("link " + link); }
  void SetText(const std::string& text) override {
    calls.push_back(text == std::string(144, ' ') ? "text <144 spaces>" : "text " + text);
  }
  std::vector<std::string> calls;
};

class OnlineServicesTest : public testing::CommandTest {
 protected:
  void UseUpdateFile(const std::string& body) {
    server_.On("/update.txt", 200, body);
    settings_.SetString(kOnlineSection, kUpdateUrl.key, server_.Url("/update.txt"));
  }
  void UseAdFile(int status, const std::string& body) {
    server_.On("/ad.txt", status, body);
    settings_.SetString(kOnlineSection, kAdUrl.key, server_.Url("/ad.txt"));
  }

  LocalHttpServer server_;
  NoticeState notice_;
  Advertisements ads_;
  RecordingLabel label_;
};

struct UpdateCase {
  const char* version;
  const char* address;
  bool verbose;
  bool answer;
  std::vector<std::string> calls;
  bool started;
};

TEST_F(OnlineServicesTest, UpdateCheckAsksOnlyForANewerVersion) {
  const std::string ask = "ask 提示: 检测到软件有新版本，是否自动下载?";
  const std::string latest = "message : 您当前使用的是最新版本";
  const UpdateCase cases[] = {
      {"8.1",
       "http://127.0.0.1/setup.tar.gz",
       false,
       true,
       {ask, "open http://127.0.0.1/setup.tar.gz"},
       true},
      {"8.1", "https://127.0.0.1/setup.tar.gz", true, false, {ask}, false},
      {"8.0", "http://127.0.0.1/setup.tar.gz", true, true, {latest}, false},
      {"8.04", "http://127.0.0.1/setup.tar.gz", true, true, {latest}, false},
      {"8.04", "http://127.0.0.1/setup.tar.gz", false, true, {}, false},
      // An address from the network that is not a web address is never followed.
      {"8.1", "file:///etc/passwd", false, true, {ask}, false},
      {"8.1", "", false, true, {ask}, false},
  };
  for (const auto& c : cases) {
    LocalHttpServer server;
    server.On("/update.txt", 200,
              std::string("<版本号>") + c.version + "</版本号>\r\n<下载地址>" + c.address +
                  "</下载地址>\r\n");
    settings_.SetString(kOnlineSection, kUpdateUrl.key, server.Url("/update.txt"));
    testing::ScriptedFrontend ui;
    ui.yes_no = {c.answer};
    NoticeState notice;
    EXPECT_EQ(CheckForUpdate(settings_, ui, notice, c.verbose), c.started) << c.version;
    EXPECT_EQ(ui.calls, c.calls) << c.version << " " << c.address;
    EXPECT_EQ(notice.download_pending, c.started);
    // The view goes back to its notice page once, after the download was handed on.
    EXPECT_EQ(NoticeDocumentComplete(notice), c.started);
    EXPECT_FALSE(NoticeDocumentComplete(notice));
  }
}

TEST_F(OnlineServicesTest, UpdateFileWithoutTagsCountsAsNothingNewer) {
  UseUpdateFile("<html>maintenance</html>");
  EXPECT_FALSE(CheckForUpdate(settings_, ui_, notice_, true));
  EXPECT_EQ(ui_.calls, std::vector<std::string>{"message : 您当前使用的是最新版本"});
  const auto requests = server_.Requests();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].user_agent, "http-get-demo");
  EXPECT_EQ(requests[0].cache_control, "no-cache");
}

TEST_F(OnlineServicesTest, UpdateCheckFailuresAreSilentEvenWhenVerbose) {
  const std::string newer = "<版本号>9.0</版本号><下载地址>http://127.0.0.1/x</下载地址>";
  server_.On("/missing", 404, newer);
  server_.OnChunked("/chunked", newer);
  server_.On("/empty", 200, "");
  server_.On("/plain", 200, newer);
  const std::string urls[] = {
      server_.Url("/missing"), server_.Url("/chunked"), server_.Url("/empty"),
      // An https address is fetched over TLS: a plain-HTTP server on that port fails it.
      "https://127.0.0.1:" + std::to_string(server_.Port()) + "/plain",
      "ftp://127.0.0.1/update.txt", kUpdateUrl.fallback};
  for (const auto& url : urls) {
    settings_.SetString(kOnlineSection, kUpdateUrl.key, url);
    EXPECT_FALSE(CheckForUpdate(settings_, ui_, notice_, true)) << url;
  }
  EXPECT_EQ(ui_.calls, std::vector<std::string>{});
  EXPECT_FALSE(notice_.download_pending);
}

TEST_F(OnlineServicesTest, UpdateCheckFollowsARedirect) {
  server_.On("/old", 302, "", {{"Location", "/update.txt"}});
  server_.On("/update.txt", 200, "<版本号>8.0</版本号>");
  settings_.SetString(kOnlineSection, kUpdateUrl.key, server_.Url("/old"));
  EXPECT_FALSE(CheckForUpdate(settings_, ui_, notice_, true));
  EXPECT_EQ(ui_.calls, std::vector<std::string>{"message : 您当前使用的是最新版本"});
}

TEST_F(OnlineServicesTest, DefaultAddressesFailAtOnce) {
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(CheckForUpdate(settings_, ui_, notice_, false));
  EXPECT_FALSE(LoadAdvertisements(settings_, ads_, label_));
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(200));
  // The default advertisement links to the home page; the label keeps its own text.
  EXPECT_EQ(ads_.Texts(), std::vector<std::string>{kDefaultAdText});
  EXPECT_EQ(ads_.Links(), std::vector<std::string>{kHomePage.fallback});
  EXPECT_EQ(label_.calls, std::vector<std::string>{});
}

struct AdCase {
  const char* name;
  const char* body;
  std::vector<std::string> texts;
  std::vector<std::string> links;
  std::vector<std::string> label;
};

TEST_F(OnlineServicesTest, AdFileLinesBecomeTextsAndLinks) {
  const AdCase cases[] = {
      {"two lines, LF only",
       "<Txt>甲<Link>http://a.example/\n乙<Link>http://b.example/<Link>",
       {"甲", "乙"},
       {"http://a.example/", "http://b.example/"},
       {"link http://a.example/", "text 甲"}},
      {"empty second line",
       "<Txt>甲<Link>http://a.example/\r\n\r\n<Txt>丙<Link>http://c.example/\r\n",
       {"甲"},
       {"http://a.example/"},
       {"link http://a.example/", "text 甲"}},
      {"no link",
       "<Txt>只有文字\r\n<Link>http://x.example/\r\n",
       {"<Txt>只有文字", "<Link>http://x.example/"},
       {"", ""},
       {"link ", "text <Txt>只有文字"}},
      {"empty first line", "\r\n<Txt>丙<Link>http://c.example/\r\n", {}, {}, {}},
  };
  for (const auto& c : cases) {
    LocalHttpServer server;
    server.On("/ad.txt", 200, c.body);
    settings_.SetString(kOnlineSection, kAdUrl.key, server.Url("/ad.txt"));
    Advertisements ads;
    RecordingLabel label;
    EXPECT_TRUE(LoadAdvertisements(settings_, ads, label)) << c.name;
    EXPECT_EQ(ads.Texts(), c.texts) << c.name;
    EXPECT_EQ(ads.Links(), c.links) << c.name;
    EXPECT_EQ(label.calls, c.label) << c.name;
  }
}

TEST_F(OnlineServicesTest, FailedAdFetchUsesTheDefaultAdvertisement) {
  UseAdFile(404, "<Txt>甲<Link>http://a.example/");
  settings_.SetString(kOnlineSection, kHomePage.key, "https://home.example/");
  EXPECT_FALSE(LoadAdvertisements(settings_, ads_, label_));
  EXPECT_EQ(ads_.Texts(), std::vector<std::string>{kDefaultAdText});
  EXPECT_EQ(ads_.Links(), std::vector<std::string>{"https://home.example/"});
  EXPECT_EQ(label_.calls, std::vector<std::string>{});
}

TEST(AdRotation, ShowsTheNextEntryAndWraps) {
  Advertisements ads;
  RecordingLabel label;
  ads.Rotate(label);  // no entries: nothing changes
  EXPECT_EQ(label.calls, std::vector<std::string>{});

  ads.Parse("a<Link>http://a/\r\nb<Link>http://b/\r\nc");
  std::vector<int> shown;
  for (int tick = 0; tick < 4; ++tick) {
    ads.Rotate(label);
    shown.push_back(ads.Index());
  }
  EXPECT_EQ(shown, (std::vector<int>{1, 2, 0, 1}));
  EXPECT_EQ(std::vector<std::string>(label.calls.begin(), label.calls.begin() + 6),
            (std::vector<std::string>{"link http://b/", "text <144 spaces>", "text b", "link ",
                                      "text <144 spaces>", "text c"}));

  Advertisements one;
  one.Add("only", "http://o/");
  RecordingLabel again;
  one.Rotate(again);
  one.Rotate(again);
  EXPECT_EQ(again.calls,
            (std::vector<std::string>{"link http://o/", "text <144 spaces>", "text only",
                                      "link http://o/", "text <144 spaces>", "text only"}));
}

TEST(NoticePage, LinksThatAskForANewWindow) {
  const std::string html =
      "<p><A HREF='http://a.example/1' TARGET=_blank>1</A>"
      "<a target=\"_blank\" href=\"/two.html\">2</a>"
      "<a href=\"http://a.example/3\" target=\"_self\">3</a>"
      "<a href=\"http://a.example/4\">4</a>"
      "<a target=\"news\" href=\"4.html\">named frame</a>"
      "<a target=\"_blank\" href=\"\">no href</a>"
      "<abbr target=\"_blank\" href=\"x\">not a link</abbr>"
      "<a target=\"_blank\" href=\"cut";
  EXPECT_EQ(NewWindowLinks(html),
            (std::set<std::string>{"http://a.example/1", "/two.html", "4.html", "cut"}));
}

}  // namespace
}  // namespace tessaril
