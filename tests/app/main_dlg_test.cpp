// Offscreen smoke tests of the main window.
#include <QPushButton>
#include <QtTest>

#include "app/main_dlg.h"
#include "app/number_list_view.h"
#include "base/settings_store.h"

using namespace tessaril;
using namespace tessaril::app;

class MainDlgTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    state_ = std::make_unique<AppState>(settings_, "/nonexistent/");
    window_ = std::make_unique<CMainDlg>(*state_);
  }
  void cleanup() {
    window_.reset();
    state_.reset();
  }

  void startsWithNoticeAndEmptyCounters() {
    QCOMPARE(window_->windowTitle(), QStringLiteral("KorvaneTessaril8.0"));
    QVERIFY(window_->NoticeShown());
    QCOMPARE(window_->SourceCounter(), QStringLiteral("当前原始号码框内有0个手机号码"));
    QCOMPARE(window_->TargetCounter(), QStringLiteral("当前目标号码框内有0个手机号码"));
    QVERIFY(!window_->SourceChosenForExport());
  }

  void everyButtonIsThereWithItsLabel() {
    const std::pair<int, const char*> expected[] = {
        {1055, "文件对比"}, {1053, "系统设置"},     {1074, "帮助"},         {1000, "输入号段"},
        {1002, "导入文件"}, {1075, "清除非手机号"}, {1004, "清空"},         {1006, "↑↑↑"},
        {1013, "↓↓↓"},      {1020, "清空号码"},     {1022, "导出全部号码"}, {1, "退出"}};
    for (const auto& [id, label] : expected) {
      QPushButton* button = window_->Button(id);
      QVERIFY2(button, QByteArray::number(id));
      QCOMPARE(button->text(), QString::fromUtf8(label));
    }
    QVERIFY(window_->Button(1003)->isEnabled());
  }

  void targetRefreshReplacesTheNoticeForGood() {
    window_->Button(1015)->click();  // sort of the empty target list
    window_->WaitForCommand();
    QVERIFY(!window_->NoticeShown());
    QCOMPARE(window_->Progress(), 0);
    window_->RefreshSourceView();
    QVERIFY(!window_->NoticeShown());
  }

  void countersCountEveryEntry() {
    for (int i = 0; i < 25; ++i)
      state_->source.Append(i < 2 ? "abc" : "13800000000");
    window_->Button(1003)->click();
    window_->WaitForCommand();
    QCOMPARE(window_->SourceCounter(), QStringLiteral("当前原始号码框内有25个手机号码"));
    QCOMPARE(window_->SourceView()->RowCount(), 25);
  }

  void hugeListRefreshesAndJumpsToTheEnd() {
    for (int i = 0; i < 2000000; ++i)
      state_->target.Append("13800000000");
    window_->RefreshTargetView();
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    NumberListView* view = window_->TargetView();
    view->setFocus();
    QTest::keyClick(view, Qt::Key_End);
    QCOMPARE(view->CurrentRow(), 1999999);
    QVERIFY(view->FirstVisibleColumn() > 0);
    QVERIFY(view->grab().width() > 0);
  }

  void advertisementsRotateInOrder() {
    const QString before = window_->AdvertisementText();
    window_->RotateAdvertisement();  // no texts: nothing changes
    QCOMPARE(window_->AdvertisementText(), before);
    window_->SetAdvertisements({"a0", "a1", "a2"}, {"", "", ""});
    QCOMPARE(window_->AdvertisementText(), QStringLiteral("a0"));
    QStringList shown;
    for (int i = 0; i < 4; ++i) {
      window_->RotateAdvertisement();
      shown << window_->AdvertisementText();
    }
    QCOMPARE(shown, (QStringList{"a1", "a2", "a0", "a1"}));
  }

  void exportChoiceSurvivesTicksAndCommands() {
    window_->Button(1003)->click();
    window_->WaitForCommand();
    window_->RotateAdvertisement();
    QVERIFY(!window_->SourceChosenForExport());
  }

 private:
  SettingsStore settings_;
  std::unique_ptr<AppState> state_;
  std::unique_ptr<CMainDlg> window_;
};

QTEST_MAIN(MainDlgTest)
#include "main_dlg_test.moc"
