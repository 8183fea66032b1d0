// Offscreen tests of the file-tools window, the new dialogs and the main window's clipboard and
// drop handling.
#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QDropEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QUrl>
#include <QtTest>
#include <fstream>

#include "app/blacklist_dlg.h"
#include "app/file_tools_dlg.h"
#include "app/main_dlg.h"
#include "app/number_list_view.h"
#include "app/qt_text.h"
#include "filetools/blacklist.h"
#include "platform/codepage.h"
#include "platform/file_system.h"
#include "platform/settings_store.h"

using namespace tessaril;
using namespace tessaril::app;

class FileToolsDlgTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    settings_ = std::make_unique<SettingsStore>(Path("settings.ini"));
    state_ = std::make_unique<AppState>(*settings_, Path(""));
    window_ = std::make_unique<CMainDlg>(*state_);
  }
  void cleanup() {
    window_.reset();
    state_.reset();
    settings_.reset();
  }

  void opensWithItsSettingsAndSavesThemOnEveryClose() {
    settings_->SetString("Settings", "StrPath", "/stored/path");
    settings_->SetInt("Settings", "bChangePath", 0);
    {
      CFileToolsDlg tools(*state_, *window_);
      QCOMPARE(tools.windowTitle(), QStringLiteral("Korvane手机号码处理器"));
      QCOMPARE(tools.Button(FileToolsButton::kBlacklist)->text(), QStringLiteral("滤除黑名单"));
      QCOMPARE(tools.Button(FileToolsButton::kExit)->text(), QStringLiteral("退出"));
      auto* path = tools.findChild<QLineEdit*>();
      QVERIFY(path);
      QList<QLineEdit*> edits = tools.findChildren<QLineEdit*>();
      QLineEdit* folder = edits.back();
      // Shown with the platform's separators ("\\stored\\path" on Windows).
      QCOMPARE(folder->text(), QDir::toNativeSeparators(QStringLiteral("/stored/path")));
      QVERIFY(folder->isEnabled());  // enabled at opening whatever the setting
      folder->setText(QStringLiteral("/typed/later"));
      QCheckBox* change = nullptr;
      for (QCheckBox* box : tools.findChildren<QCheckBox*>()) {
        if (box->text() == QStringLiteral("改变路径"))
          change = box;
        if (box->text() == QStringLiteral("删除原文件"))
          QVERIFY(box->isHidden());
      }
      QVERIFY(change);
      change->click();  // ticks, stores the fields and saves
      QCOMPARE(settings_->GetInt("Settings", "bChangePath", -1), 1);
      QCOMPARE(settings_->GetString("Settings", "StrPath", ""), std::string("/typed/later"));
      change->click();
      QVERIFY(!folder->isEnabled());
      folder->setText(QStringLiteral("/chosen/before/close"));
    }  // closed by the close box: still saved
    QCOMPARE(settings_->GetString("Settings", "StrPath", ""), std::string("/chosen/before/close"));
    QCOMPARE(settings_->GetInt("Settings", "bChangePath", -1), 0);
  }

  void compareListsResultsAndImportClosesWithTheChosenFiles() {
    const std::string a = Write("a.txt", "13900000001\r\n13900000002\r\n");
    const std::string b = Write("b.txt", "13900000002\r\n");
    CFileToolsDlg tools(*state_, *window_);
    QList<QLineEdit*> edits = tools.findChildren<QLineEdit*>();
    edits[0]->setText(Q(a));
    edits[1]->setText(Q(b));
    tools.Button(FileToolsButton::kCompareThree)->click();
    // The comparison runs on the worker; until its end is handled here nothing else can start
    // or change what it reads, and a close waits.
    QVERIFY(tools.CommandRunning());
    QVERIFY(!tools.Button(FileToolsButton::kMergeTwo)->isEnabled());
    QVERIFY(!tools.SourceList()->isEnabled());
    QVERIFY(!edits[0]->isEnabled());
    QVERIFY(tools.Button(FileToolsButton::kExit)->isEnabled());
    tools.show();
    tools.reject();
    QVERIFY(tools.isVisible());
    tools.WaitForCommand();
    QVERIFY(!tools.isVisible());
    QVERIFY(tools.Button(FileToolsButton::kMergeTwo)->isEnabled());
    QVERIFY(edits[0]->isEnabled());
    QCOMPARE(tools.ResultList()->count(), 3);
    QCOMPARE(tools.ResultList()->item(0)->text(),
             QDir::toNativeSeparators(Q(Path("b去除交集.txt"))));
    tools.ResultList()->item(0)->setSelected(true);
    tools.ResultList()->item(2)->setSelected(true);
    tools.Button(FileToolsButton::kImportSelected)->click();
    tools.WaitForCommand();
    QCOMPARE(tools.result(), int(QDialog::Accepted));
    QCOMPARE(tools.Model().import_list,
             (std::vector<std::string>{Path("文件交集.txt"), Path("b去除交集.txt")}));
  }

  void enterRunsTheFocusedButtonElsewhereItCloses() {
    CFileToolsDlg tools(*state_, *window_);
    tools.show();
    QVERIFY(QTest::qWaitForWindowExposed(&tools));
    QPushButton* remove =
        tools.Button(FileToolsButton::kRemove);  // "删除" with nothing selected: no message
    QSignalSpy clicked(remove, &QPushButton::clicked);
    remove->setFocus(Qt::TabFocusReason);
    QTest::keyClick(remove, Qt::Key_Return);
    tools.WaitForCommand();
    QTest::keyClick(remove, Qt::Key_Space);
    tools.WaitForCommand();
    QCOMPARE(clicked.count(), 2);
    QVERIFY(tools.isVisible());
    // The focus is back on "删除" after each of its commands.
    QCOMPARE(tools.focusWidget(), remove);
    // Enter in a path box stays there: "退出", the default button, does not close the window.
    for (QLineEdit* box : tools.findChildren<QLineEdit*>()) {
      box->setFocus(Qt::MouseFocusReason);
      box->setText(QStringLiteral("/typed/path.txt"));
      QTest::keyClick(box, Qt::Key_Return);
      QTest::keyClick(box, Qt::Key_Enter, Qt::KeypadModifier);
      QVERIFY(tools.isVisible());
      QCOMPARE(box->text(), QStringLiteral("/typed/path.txt"));
    }
    // Elsewhere Enter runs "退出".
    tools.ResultList()->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(tools.ResultList(), Qt::Key_Return);
    QVERIFY(!tools.isVisible());
    QCOMPARE(tools.result(), int(QDialog::Accepted));
  }

  // Tab follows the rows as they read, and each box is named by its label for screen readers.
  void theCompareRowsReadInTabOrderAndNameTheirBoxes() {
    CFileToolsDlg tools(*state_, *window_);
    tools.show();
    QVERIFY(QTest::qWaitForWindowExposed(&tools));
    const QList<QLineEdit*> boxes = tools.findChildren<QLineEdit*>();
    QLineEdit* file_a = boxes.value(0);
    QLineEdit* file_b = boxes.value(1);
    file_a->setFocus(Qt::TabFocusReason);
    for (QWidget* next :
         std::initializer_list<QWidget*>{tools.Button(FileToolsButton::kPickFileA), file_b,
                                         tools.Button(FileToolsButton::kPickFileB)}) {
      QTest::keyClick(tools.focusWidget(), Qt::Key_Tab);
      QCOMPARE(tools.focusWidget(), next);
    }
    const auto name = [](QWidget* widget) {
      return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
    };
    QCOMPARE(name(file_a), QStringLiteral("主文件(文件A):"));
    QCOMPARE(name(file_b), QStringLiteral("辅助文件(文件B):"));
    QCOMPARE(name(tools.ResultList()), QStringLiteral("转换后的文件(*.txt):"));
  }

  void blacklistDialogEnableRulesAndRegions() {
    BlacklistValues shown = LoadBlacklistValues(*settings_, Path(""));
    shown.all_regions = 0;
    shown.ticked_regions = {"广东", "北京"};
    CBlacklistDlg dialog(shown, settings_.get());
    auto* regions = dialog.findChild<QTreeWidget*>();
    QVERIFY(regions->isEnabled());
    QCOMPARE(regions->topLevelItemCount(), 31);
    QCOMPARE(dialog.Values().ticked_regions, (std::vector<std::string>{"广东", "北京"}));
    for (QCheckBox* box : dialog.findChildren<QCheckBox*>()) {
      if (box->text() == QStringLiteral("中国移动"))
        QVERIFY(!box->isEnabled());
      if (box->text() == QStringLiteral("全部地区"))
        box->click();
    }
    QVERIFY(!regions->isEnabled());
    dialog.reject();  // Cancel stores the options as shown
    QCOMPARE(settings_->GetInt("Setting", "ShengFen", -1), 1);
    QVERIFY(!FileExists(Path("sheng.txt")));
  }

  void copyAndPasteThroughTheClipboard() {
    for (const char* entry : {"13900000001", "abc", "13900000002"})
      state_->target.Append(entry);
    window_->Button(MainButton::kCopyTarget)->click();
    window_->WaitForCommand();
    QCOMPARE(QApplication::clipboard()->text(),
             QStringLiteral("13900000001\r\nabc\r\n13900000002"));
    QVERIFY(!window_->NoticeShown());
    window_->Button(MainButton::kPaste)->click();
    window_->WaitForCommand();
    QCOMPARE(state_->source.Count(), 2);
    QCOMPARE(window_->SourceCounter(), QStringLiteral("当前原始号码框内有2个手机号码"));
  }

  void filesDroppedOnTheSourceViewOnly() {
    const std::string a = Write("d1.txt", "1\r\n2\r\n");
    const std::string b = Write("d2.txt", "3\r\n");
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(Q(a)), QUrl::fromLocalFile(Q(b))});
    QVERIFY(window_->SourceView()->viewport()->acceptDrops());
    QVERIFY(!window_->TargetView()->viewport()->acceptDrops());
    // As a real drag: the enter makes the view the drop target, then the drop follows.
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window_->SourceView()->viewport(), &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QSignalSpy dropped(window_->SourceView(), &NumberListView::filesDropped);
    QApplication::sendEvent(window_->SourceView()->viewport(), &drop);
    QCOMPARE(dropped.count(), 1);
    window_->WaitForCommand();
    QCOMPARE(state_->source.Count(), 3);
    QCOMPARE(state_->source.At(2), std::string("3"));
  }

 private:
  std::string Path(const std::string& name) const { return U(dir_.path()) + "/" + name; }
  std::string Write(const std::string& name, const std::string& bytes) {
    std::ofstream(Path(name), std::ios::binary) << bytes;
    return Path(name);
  }

  QTemporaryDir dir_;
  std::unique_ptr<SettingsStore> settings_;
  std::unique_ptr<AppState> state_;
  std::unique_ptr<CMainDlg> window_;
};

QTEST_MAIN(FileToolsDlgTest)
#include "file_tools_dlg_test.moc"
