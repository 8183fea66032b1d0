// Offscreen tests of "复制" and "粘贴" in the main window: the text is prepared on the command
// worker and handed to the clipboard in one step, and taken back from it the same way.
#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

#include "app/main_dlg.h"
#include "platform/codepage.h"
#include "platform/settings_store.h"

using namespace tessaril;
using namespace tessaril::app;

class ClipboardWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    state_ = std::make_unique<AppState>(settings_, "/nonexistent/");
    window_ = std::make_unique<CMainDlg>(*state_);
    QApplication::clipboard()->clear();
  }
  void cleanup() {
    window_.reset();
    state_.reset();
  }

  void copyThenPasteRoundTrip() {
    const std::string gbk = Utf8ToGbk("号码");
    for (const std::string& entry : {std::string("13900000001"), gbk, std::string("13900000002")})
      state_->target.Append(entry);
    Click(MainButton::kCopyTarget);
    // A GBK entry makes the whole text GBK; the clipboard holds it as Unicode text.
    QCOMPARE(QApplication::clipboard()->text(),
             QStringLiteral("13900000001\r\n号码\r\n13900000002"));
    const QMimeData* data = QApplication::clipboard()->mimeData();
    QVERIFY(data);
    // Made on the worker, the data belongs to the window's thread, which owns the clipboard.
    QCOMPARE(data->thread(), QApplication::instance()->thread());
    QCOMPARE(data->data("text/plain;charset=utf-8"),
             QByteArray("13900000001\r\n\xE5\x8F\xB7\xE7\xA0\x81\r\n13900000002"));
    QCOMPARE(state_->target.Count(), 3);  // a copy keeps the list

    Click(MainButton::kPaste);
    QCOMPARE(state_->source.Count(), 2);
    QCOMPARE(state_->source.At(1), std::string("13900000002"));
    QCOMPARE(window_->SourceCounter(), QStringLiteral("当前原始号码框内有2个手机号码"));
    QCOMPARE(window_->Progress(), 0);
  }

  void pasteTakesTextOfOtherProgramsAndIgnoresOtherData() {
    const struct {
      const char* name;
      std::function<void(QClipboard&)> fill;
      int added;
    } cases[] = {
        {"plain text", [](QClipboard& c) { c.setText(QStringLiteral("甲13900000009乙")); }, 1},
        {"no text",
         [](QClipboard& c) {
           auto* data = new QMimeData;
           data->setData("application/octet-stream", "13900000009");
           c.setMimeData(data);
         },
         0},
        {"empty clipboard", [](QClipboard& c) { c.clear(); }, 0},
    };
    for (const auto& c : cases) {
      state_->source.Clear();
      c.fill(*QApplication::clipboard());
      Click(MainButton::kPaste);
      QVERIFY2(state_->source.Count() == c.added, c.name);
    }
  }

  void pasteProgressMovesFromTheStart() {
    std::string text;
    for (int i = 0; i < 20000; ++i)
      text += "139" + std::to_string(10000000 + i) + "\r\n";
    QApplication::clipboard()->setText(QString::fromStdString(text));
    auto* bar = window_->findChild<QProgressBar*>();
    QVERIFY(bar);
    QSignalSpy moved(bar, &QProgressBar::valueChanged);
    Click(MainButton::kPaste);
    QCOMPARE(state_->source.Count(), 20000);
    QList<int> shown;
    for (const QList<QVariant>& call : moved)
      shown << call.at(0).toInt();
    // Reading the text fills the bar's first half, adding the numbers its second; the refresh
    // sets it back to 0.
    QVERIFY(shown.size() > 90);
    QCOMPARE(shown.first(), 1);
    QVERIFY(shown.contains(49));
    QCOMPARE(shown.at(shown.size() - 2), 99);
    QCOMPARE(shown.last(), 0);
  }

 private:
  void Click(MainButton id) {
    window_->Button(id)->click();
    window_->WaitForCommand();
  }

  SettingsStore settings_;
  std::unique_ptr<AppState> state_;
  std::unique_ptr<CMainDlg> window_;
};

QTEST_MAIN(ClipboardWindowTest)
#include "clipboard_window_test.moc"
