// The manual that ships beside the programs: it names every control of both windows (a button
// added without a word in help.txt fails here), Notepad and Linux editors can read it, and the
// file tools' "帮助" opens it or says that it is missing.
#include <QAbstractButton>
#include <QApplication>
#include <QDesktopServices>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>
#include <QtTest>
#include <memory>

#include "app/file_tools_dlg.h"
#include "app/main_dlg.h"
#include "platform/settings_store.h"

using namespace tessaril;
using namespace tessaril::app;

namespace {

// A control's text as the manual writes it: without its accelerator ("(&A)", or the "&" before
// a letter; "&&" is a shown "&").
QString WithoutAccelerator(QString text) {
  text.remove(QRegularExpression(QStringLiteral("\\(&[^&]\\)")));
  text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
  text.remove(QLatin1Char('&'));
  text.replace(QStringLiteral("\x01"), QStringLiteral("&"));
  return text.trimmed();
}

// The texts of the window's buttons, check boxes and radio buttons that `help` does not hold.
// A control the window never shows (created hidden) is not the user's to look up.
QStringList UnnamedControls(const QWidget& window, const QString& help) {
  QStringList unnamed;
  for (const QAbstractButton* control : window.findChildren<QAbstractButton*>()) {
    if (!control->isVisibleTo(&window))
      continue;
    const QString text = WithoutAccelerator(control->text());
    if (!text.isEmpty() && !help.contains(text))
      unnamed << text;
  }
  return unnamed;
}

}  // namespace

// Opens nothing: records the file URLs the desktop is asked to open.
class UrlRecorder : public QObject {
  Q_OBJECT

 public:
  QList<QUrl> opened;

 public slots:
  void open(const QUrl& url) { opened << url; }
};

class HelpFileTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    QFile file(QStringLiteral(TESSARIL_BUILT_HELP_FILE));
    QVERIFY2(file.open(QIODevice::ReadOnly), "help.txt is not in the build folder");
    bytes_ = file.readAll();
    QStringDecoder utf8(QStringDecoder::Utf8);
    help_ = utf8.decode(bytes_);
    QVERIFY2(!utf8.hasError(), "help.txt is not UTF-8");
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &recorder_, "open");
  }
  void cleanupTestCase() { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); }

  void init() {
    settings_ = std::make_unique<SettingsStore>(Path("settings.ini").toStdString());
    state_ = std::make_unique<AppState>(*settings_, Path("data").toStdString() + "/");
    window_ = std::make_unique<CMainDlg>(*state_);
    recorder_.opened.clear();
  }
  void cleanup() {
    window_.reset();
    state_.reset();
    settings_.reset();
  }

  void readsAsTextInNotepadAndOnLinux() {
    // CR LF throughout: every Notepad shows the lines, and Linux editors take CR LF as it is.
    QVERIFY(bytes_.count('\n') > 100);
    QCOMPARE(bytes_.count("\r\n"), bytes_.count('\n'));
    QCOMPARE(bytes_.count('\r'), bytes_.count('\n'));
    QVERIFY(!bytes_.startsWith("\xEF\xBB\xBF"));  // no byte-order mark for tools to trip on
  }

  void namesEveryControlOfTheMainWindow() {
    const QStringList unnamed = UnnamedControls(*window_, help_);
    QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(QStringLiteral(", "))));
    QVERIFY(window_->findChildren<QPushButton*>().size() >= 40);
  }

  void namesEveryControlOfTheFileTools() {
    CFileToolsDlg tools(*state_, *window_);
    const QStringList unnamed = UnnamedControls(tools, help_);
    QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(QStringLiteral(", "))));
    QVERIFY(tools.findChildren<QPushButton*>().size() >= 13);
  }

  void theCheckFindsAControlAddedWithoutHelp() {
    CFileToolsDlg tools(*state_, *window_);
    auto* added = new QPushButton(QStringLiteral("号码变魔术(&M)"), &tools);
    auto* hidden = new QPushButton(QStringLiteral("从不显示"), &tools);
    hidden->hide();
    QCOMPARE(UnnamedControls(tools, help_), QStringList{QStringLiteral("号码变魔术")});
    added->setText(QStringLiteral("滤除黑名单(&B)"));
    QVERIFY(UnnamedControls(tools, help_).isEmpty());
    QCOMPARE(WithoutAccelerator(QStringLiteral("&Save && quit")), QStringLiteral("Save & quit"));
  }

  void fileToolsHelpOpensTheManualOrSaysItIsMissing() {
    CFileToolsDlg tools(*state_, *window_);
    // The data folder does not exist yet: a message, nothing opened.
    QCOMPARE(ClickAndReadMessage(tools.Button(FileToolsButton::kHelp)),
             QStringLiteral("找不到帮助文件help.txt!"));
    QVERIFY(recorder_.opened.isEmpty());

    QVERIFY(QDir().mkpath(Path("data")));
    QVERIFY(QFile::copy(QStringLiteral(TESSARIL_BUILT_HELP_FILE), Path("data/help.txt")));
    QCOMPARE(ClickAndReadMessage(tools.Button(FileToolsButton::kHelp)), QString());
    QCOMPARE(recorder_.opened, QList<QUrl>{QUrl::fromLocalFile(Path("data/help.txt"))});
  }

 private:
  QString Path(const QString& name) const { return dir_.filePath(name); }

  // Clicks `button` and returns the text of the message box it shows (closing it), or an empty
  // text when it showed none.
  static QString ClickAndReadMessage(QPushButton* button) {
    QString seen;
    QTimer::singleShot(0, [&] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        seen = box->text();
        box->accept();
      }
    });
    button->click();
    QApplication::processEvents();
    return seen;
  }

  QTemporaryDir dir_;
  QByteArray bytes_;
  QString help_;
  UrlRecorder recorder_;
  std::unique_ptr<SettingsStore> settings_;
  std::unique_ptr<AppState> state_;
  std::unique_ptr<CMainDlg> window_;
};

QTEST_MAIN(HelpFileTest)
#include "help_file_test.moc"
