// Offscreen tests of the notice view, the hyperlink label, the about box and the start-up order,
// against a small HTTP server on 127.0.0.1. Links go to a recorder instead of the desktop.
#include <QBuffer>
#include <QDesktopServices>
#include <QElapsedTimer>
#include <QImage>
#include <QMessageBox>
#include <QPushButton>
#include <QTextBlock>
#include <QTextDocument>
#include <QTimer>
#include <QtTest>
#include <atomic>
#include <chrono>
#include <thread>

#include "app/about_dlg.h"
#include "app/main_dlg.h"
#include "app/notice_view.h"
#include "app/static_link.h"
#include "online/online_addresses.h"
#include "platform/settings_store.h"
#include "support/local_http_server.h"

using namespace tessaril;
using namespace tessaril::app;

// Receives what would have gone to the desktop's browser.
class UrlRecorder : public QObject {
  Q_OBJECT

 public slots:
  void open(const QUrl& url) { opened << url.toString(); }

 public:
  QStringList opened;
};

// Answers the next message box: clicks the button with `text`, and remembers what it said.
class BoxAnswerer : public QObject {
 public:
  explicit BoxAnswerer(QString button) : button_(std::move(button)) {
    timer_.setInterval(10);
    connect(&timer_, &QTimer::timeout, this, [this] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box)
        return;
      seen << box->windowTitle() + ": " + box->text();
      for (QAbstractButton* b : box->buttons()) {
        if (b->text() == button_)
          b->click();
      }
    });
    timer_.start();
  }
  QStringList seen;

 private:
  QString button_;
  QTimer timer_;
};

class OnlinePiecesTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    recorder_ = std::make_unique<UrlRecorder>();
    QDesktopServices::setUrlHandler("http", recorder_.get(), "open");
    QDesktopServices::setUrlHandler("https", recorder_.get(), "open");
    server_ = std::make_unique<testing::LocalHttpServer>();
  }
  void cleanup() {
    QDesktopServices::unsetUrlHandler("http");
    QDesktopServices::unsetUrlHandler("https");
    server_.reset();
    recorder_.reset();
  }

  void linkOpensItsTargetAndTurnsPurple() {
    CStaticLink link(QStringLiteral("联系我们"), "https://www.korvane.example/");
    QCOMPARE(link.Colour(), CStaticLink::kUnvisited);
    QCOMPARE(link.cursor().shape(), Qt::PointingHandCursor);
    QTest::mouseClick(&link, Qt::LeftButton);
    QCOMPARE(recorder_->opened, QStringList{"https://www.korvane.example/"});
    QCOMPARE(link.Colour(), CStaticLink::kVisited);
  }

  void emptyLinkOpensTheLabelsOwnText() {
    CStaticLink web(QStringLiteral("http://127.0.0.1/own"));
    QVERIFY(web.Open());
    QCOMPARE(recorder_->opened, QStringList{"http://127.0.0.1/own"});
    // A text that is not a web address only beeps, and the label stays blue.
    for (const char* text :
         {"广告投放及代理合作热线", "file:///etc/passwd", "javascript:alert(1)"}) {
      CStaticLink other(QString::fromUtf8(text));
      QVERIFY(!other.Open());
      QCOMPARE(other.Colour(), CStaticLink::kUnvisited);
    }
    CStaticLink bad_link(QStringLiteral("text"), "mailto:someone@korvane.example");
    QVERIFY(!bad_link.Open());
    QCOMPARE(recorder_->opened.size(), 1);
  }

  void newWindowLinksGoToTheDesktop() {
    server_->On("/notice.html", 200,
                "<html><body><a href=\"/other.html\" target=\"_blank\">new</a>"
                "<a href=\"same.html\">same</a>"
                "<a href=\"file:///etc/passwd\" target=\"_blank\">local</a></body></html>");
    server_->On("/same.html", 200, "<p>same window</p>");
    const std::string notice = server_->Url("/notice.html");
    CNoticeView view(notice);
    view.NavigateToNoticePage();
    QVERIFY(view.PageShown());
    view.FollowLink(QUrl("/other.html"));
    QCOMPARE(recorder_->opened, QStringList{QString::fromStdString(server_->Url("/other.html"))});
    QCOMPARE(view.CurrentUrl(), notice);  // no navigation in the view
    view.FollowLink(QUrl("file:///etc/passwd"));
    view.FollowLink(QUrl("javascript:alert(1)"));
    QCOMPARE(recorder_->opened.size(), 1);
    view.FollowLink(QUrl("same.html"));  // fetched in the background
    QTRY_COMPARE(view.CurrentUrl(), server_->Url("/same.html"));
    QVERIFY(view.toPlainText().contains("same window"));
  }

  void documentCompleteReturnsToTheNoticePageAfterADownload() {
    server_->On("/notice.html", 200, "<p>notice</p>");
    CNoticeView view(server_->Url("/notice.html"));
    view.DocumentComplete();  // nothing pending: stays
    QCOMPARE(server_->Paths().size(), 0u);
    view.State().download_pending = true;
    view.DocumentComplete();
    QVERIFY(!view.State().download_pending);
    QCOMPARE(server_->Paths(), std::vector<std::string>{"/notice.html"});
    QVERIFY(view.toPlainText().contains("notice"));
  }

  void pageShowsAtOnceAndPicturesArriveWithinOneDeadline() {
    QImage picture(20, 300, QImage::Format_RGB32);
    picture.fill(Qt::red);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG");
    server_->On("/real.png", 200, png.toStdString());
    server_->On("/style.css", 200, "p { color: #ff0000; }");
    server_->OnDrip(R"(/drip/\d+\.png)");
    std::string html =
        "<html><head><link rel=\"stylesheet\" type=\"text/css\" href=\"/style.css\">"
        "</head><body><p>公告正文</p><img src=\"/real.png\">";
    for (int i = 0; i < 20; ++i)
      html += "<img src=\"/drip/" + std::to_string(i) + ".png\">";
    server_->On("/notice.html", 200, html + "</body></html>");
    CNoticeView view(server_->Url("/notice.html"));
    view.SetResourceDeadline(std::chrono::milliseconds(1500));
    view.resize(400, 300);
    view.NavigateToNoticePage();
    // Laying the page out (as a shown view does, at its width) asks for every picture: none is
    // fetched while the window waits.
    view.document()->setTextWidth(380);
    const qreal bare_height = view.document()->size().height();
    QVERIFY(view.PageShown());
    QVERIFY(view.toPlainText().contains(QStringLiteral("公告正文")));
    QCOMPARE(view.ResourcesPending(), CNoticeView::kMaxResourcesPerPage);
    QCOMPARE(view.ResourcesArrived(), 0);
    // The style sheet and the picture that come are filled in.
    QTRY_COMPARE(view.ResourcesArrived(), 2);
    QTRY_VERIFY(view.document()->size().height() >= bare_height + 250);
    const QTextCharFormat text = view.document()->firstBlock().begin().fragment().charFormat();
    QCOMPARE(text.foreground().color(), QColor(255, 0, 0));
    QVERIFY(view.toPlainText().contains(QStringLiteral("公告正文")));
    // The dripping ones give up together at the page's deadline; no more than the page's share
    // were asked for.
    QTRY_COMPARE_WITH_TIMEOUT(view.ResourcesPending(), 0, 10000);
    std::vector<std::string> paths = server_->Paths();
    QCOMPARE(std::count_if(paths.begin(), paths.end(),
                           [](const std::string& p) { return p.starts_with("/drip/"); }),
             CNoticeView::kMaxResourcesPerPage - 2);
    QCOMPARE(view.ResourcesArrived(), 2);
  }

  void startUpShowsTheNoticeWhileItsPicturesDrip() {
    server_->OnDrip(R"(/drip/\d+\.png)");
    server_->On("/notice.html", 200,
                "<p>今日公告</p><img src=\"/drip/1.png\"><img src=\"/drip/2.png\">");
    SettingsStore settings;
    settings.SetString(kOnlineSection, kNoticeUrl.key, server_->Url("/notice.html"));
    settings.SetString(kOnlineSection, kUpdateUrl.key, server_->Url("/missing.txt"));
    settings.SetString(kOnlineSection, kAdUrl.key, server_->Url("/missing.txt"));
    AppState state(settings, "/nonexistent/");
    CMainDlg window(state);
    window.show();
    QTRY_VERIFY(window.NoticeView()->toPlainText().contains(QStringLiteral("今日公告")));
    QTRY_COMPARE(window.NoticeView()->ResourcesPending(), 2);
    QVERIFY(window.NoticeShown());
  }

  void startUpRunsUpdateCheckNoticePageAndAdvertisements() {
    server_->On("/update.txt", 200,
                "<版本号>8.1</版本号><下载地址>http://127.0.0.1/setup.tar.gz</下载地址>");
    server_->On("/notice.html", 200, "<p>今日公告</p>");
    server_->On("/ad.txt", 200,
                "<Txt>甲广告<Link>http://127.0.0.1/a\r\n乙广告<Link>http://127.0.0.1/b\r\n");
    SettingsStore settings;
    settings.SetString(kOnlineSection, kUpdateUrl.key, server_->Url("/update.txt"));
    settings.SetString(kOnlineSection, kNoticeUrl.key, server_->Url("/notice.html"));
    settings.SetString(kOnlineSection, kAdUrl.key, server_->Url("/ad.txt"));
    AppState state(settings, "/nonexistent/");
    BoxAnswerer yes(QStringLiteral("是"));
    CMainDlg window(state);
    // The fetches run in the background; their results arrive through the event loop.
    QTRY_VERIFY(window.NoticeView()->toPlainText().contains(QStringLiteral("今日公告")));
    QTRY_COMPARE(window.AdvertisementText(), QStringLiteral("甲广告"));
    QCOMPARE(yes.seen, QStringList{"提示: 检测到软件有新版本，是否自动下载?"});
    QCOMPARE(recorder_->opened, QStringList{"http://127.0.0.1/setup.tar.gz"});
    // The notice page follows the update check; the advertisements come on their own.
    std::vector<std::string> paths = server_->Paths();
    std::erase(paths, "/ad.txt");
    QCOMPARE(paths, (std::vector<std::string>{"/update.txt", "/notice.html"}));
    QCOMPARE(server_->Paths().size(), size_t{3});
    QVERIFY(window.NoticeShown());
    QCOMPARE(window.AdvertisementLabel()->Link(), std::string("http://127.0.0.1/a"));
    window.RotateAdvertisement();
    QCOMPARE(window.AdvertisementText(), QStringLiteral("乙广告"));
    QCOMPARE(window.AdvertisementLabel()->Link(), std::string("http://127.0.0.1/b"));
  }

  void startUpNeverWaitsForTheServers() {
    // Each answer is held back until the window is up (or, if the window waited for it, for
    // ten seconds): answers given before the window was up show that start-up waited.
    std::atomic<bool> window_up{false};
    std::atomic<int> answered_early{0};
    auto held = [&](std::string body) {
      return [&, body] {
        for (int i = 0; i < 1000 && !window_up; ++i)
          std::this_thread::sleep_for(std::chrono::milliseconds(10));
        if (!window_up)
          ++answered_early;
        return body;
      };
    };
    server_->OnCall("/update.txt", held("<版本号>8.0</版本号>"));
    server_->OnCall("/notice.html", held("<p>今日公告</p>"));
    server_->OnCall("/ad.txt", held("<Txt>甲广告<Link>http://127.0.0.1/a\r\n"));
    SettingsStore settings;
    settings.SetString(kOnlineSection, kUpdateUrl.key, server_->Url("/update.txt"));
    settings.SetString(kOnlineSection, kNoticeUrl.key, server_->Url("/notice.html"));
    settings.SetString(kOnlineSection, kAdUrl.key, server_->Url("/ad.txt"));
    AppState state(settings, "/nonexistent/");
    CMainDlg window(state);
    window.show();
    window_up = true;
    QTRY_VERIFY(window.NoticeView()->toPlainText().contains(QStringLiteral("今日公告")));
    QTRY_COMPARE(window.AdvertisementText(), QStringLiteral("甲广告"));
    QCOMPARE(answered_early.load(), 0);
  }

  void upgradeEntrySaysWhenTheVersionIsTheLatest() {
    server_->On("/update.txt", 200, "<版本号>8.04</版本号>");
    SettingsStore settings;
    settings.SetString(kOnlineSection, kUpdateUrl.key, server_->Url("/update.txt"));
    AppState state(settings, "/nonexistent/");
    CMainDlg window(state);  // quiet at start: no box
    BoxAnswerer ok(QStringLiteral("确定"));
    window.CheckForUpdateNow();
    window.CheckForUpdateNow();  // while the first is on its way: the same check
    QTRY_COMPARE(ok.seen, QStringList{": 您当前使用的是最新版本"});
    QTest::qWait(200);
    QCOMPARE(ok.seen.size(), 1);
    QVERIFY(recorder_->opened.isEmpty());
  }

  void upgradeEntryNeverHoldsTheWindow() {
    // The answer is held back until the request has returned (or, if the window waited for it,
    // for ten seconds): an answer given before shows that the window waited.
    std::atomic<bool> returned{false};
    std::atomic<int> answered_early{0};
    server_->OnCall("/update.txt", [&] {
      for (int i = 0; i < 1000 && !returned; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
      if (!returned)
        ++answered_early;
      return std::string("<版本号>8.0</版本号>");
    });
    SettingsStore settings;
    settings.SetString(kOnlineSection, kUpdateUrl.key, server_->Url("/update.txt"));
    AppState state(settings, "/nonexistent/");
    CMainDlg window(state);
    BoxAnswerer ok(QStringLiteral("确定"));
    window.CheckForUpdateNow();
    returned = true;
    QTRY_COMPARE(ok.seen, QStringList{": 您当前使用的是最新版本"});
    QCOMPARE(answered_early.load(), 0);
  }

  void defaultAddressesLetTheWindowUpAtOnce() {
    SettingsStore settings;
    AppState state(settings, "/nonexistent/");
    QElapsedTimer timer;
    timer.start();
    CMainDlg window(state);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY2(timer.elapsed() < 1000, QByteArray::number(timer.elapsed()));
    QVERIFY(window.NoticeShown());
    QVERIFY(!window.NoticeView()->PageShown());
    QCOMPARE(window.AdvertisementText(), QString::fromUtf8(kDefaultAdText));
  }

  void aboutBoxLinksLeadToTheHomePage() {
    CAboutDlg about("https://www.korvane.example/");
    QCOMPARE(about.windowTitle(), QStringLiteral("关于 KorvaneTessaril7.5"));
    QCOMPARE(about.Slogan()->Link(), std::string("https://www.korvane.example/"));
    QCOMPARE(about.Address()->Link(), std::string("https://www.korvane.example/"));
    about.UpgradeButton()->click();
    QCOMPARE(recorder_->opened, QStringList{"https://www.korvane.example/"});
  }

 private:
  std::unique_ptr<UrlRecorder> recorder_;
  std::unique_ptr<testing::LocalHttpServer> server_;
};

QTEST_MAIN(OnlinePiecesTest)
#include "online_pieces_test.moc"
