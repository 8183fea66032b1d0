// Offscreen tests of the segment entry, move and export dialogs and of their buttons.
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QtTest>

#include "app/batch_size_dlg.h"
#include "app/export_format_dlg.h"
#include "app/limit_edit.h"
#include "app/main_dlg.h"
#include "app/move_by_digits_dlg.h"
#include "app/move_by_type_dlg.h"
#include "app/segment_entry_dlg.h"
#include "app/settings_dlg.h"
#include "classify/carrier_prefixes.h"
#include "platform/settings_store.h"

using namespace tessaril;
using namespace tessaril::app;

namespace {

// Presses OK on `dialog` and returns the text of the message box it shows (closing that box), or
// an empty text when it showed none.
QString AcceptAndReadRefusal(QDialog& dialog) {
  QString seen;
  QTimer::singleShot(0, [&] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      seen = box->text();
      box->accept();
    }
  });
  dialog.accept();
  QApplication::processEvents();
  return seen;
}

// Clicks a radio button on its indicator (a stretched button does not take a click beyond its
// text).
void ClickRadio(QRadioButton* button) {
  QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
}

}  // namespace

class NumberDialogsTest : public QObject {
  Q_OBJECT

 private slots:
  void segmentBoxTakesSevenDigitsAndChecksOnOk() {
    CSegmentEntryDlg dialog(SegmentEntryValues{});
    dialog.show();
    QTest::keyClicks(dialog.SegmentBox(), "13a8001-39");
    QCOMPARE(dialog.SegmentBox()->text(), QStringLiteral("1380013"));
    dialog.SegmentBox()->setText("199000");
    QCOMPARE(AcceptAndReadRefusal(dialog), QStringLiteral("只能是前7位!"));
    QVERIFY(dialog.isVisible());
    dialog.SegmentBox()->setText("1990000");
    QCOMPARE(AcceptAndReadRefusal(dialog), QStringLiteral("不是指定开头字母的合理手机号码!"));
    dialog.SegmentBox()->setText("1590000");
    QCOMPARE(AcceptAndReadRefusal(dialog), QString());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
  }

  // A mask is typed as a number: each digit fills its box and moves on; Backspace goes back.
  void digitBoxesTakeANumberAsTyped() {
    CMoveByDigitsDlg dialog(DigitMaskValues{});
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    // Each key goes where the focus is, as the user's keys do.
    const auto type = [](const QString& keys) {
      for (QChar key : keys)
        QTest::keyClick(QApplication::focusWidget(), key.toLatin1());
    };
    dialog.Box(0)->setFocus(Qt::TabFocusReason);
    type(QStringLiteral("38x0"));
    QCOMPARE(dialog.focusWidget(), dialog.Box(3));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backspace);  // empty: back, cleared
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backspace);
    type(QStringLiteral("9"));
    dialog.Box(9)->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(QApplication::focusWidget(),
                     QStringLiteral("12"));  // the last box keeps the last digit
    QCOMPARE(dialog.focusWidget(), dialog.Box(9));
    const DigitMaskValues mask = dialog.Values();
    const std::array<std::string, 10> expected = {"3", "9", "", "", "", "", "", "", "", "2"};
    QCOMPARE(mask.boxes, expected);
  }

  void typeDialogEnablesTheRangeOnlyForTheRangeChoice() {
    CMoveByTypeDlg dialog(MoveByTypeValues{});
    dialog.show();
    QVERIFY(dialog.Choice(0)->isChecked());
    QVERIFY(!dialog.StartBox()->isEnabled());
    ClickRadio(dialog.Choice(3));
    QVERIFY(dialog.StartBox()->isEnabled() && dialog.EndBox()->isEnabled());
    ClickRadio(dialog.Choice(2));
    QVERIFY(!dialog.StartBox()->isEnabled() && !dialog.EndBox()->isEnabled());
    QCOMPARE(dialog.Choice(3)->objectName(), QStringLiteral("1048"));
  }

  void typeDialogChecksTheRangeBoxes() {
    CMoveByTypeDlg dialog(MoveByTypeValues{MoveTypeChoice::kRange, "", ""});
    dialog.show();
    QTest::keyClicks(dialog.StartBox(), "38000");
    QCOMPARE(AcceptAndReadRefusal(dialog), QStringLiteral("起始号码不是11位!"));
    QTest::keyClicks(dialog.StartBox(), "0");
    QTest::keyClicks(dialog.EndBox(), "3899999");  // the seventh character is cut
    QCOMPARE(dialog.EndBox()->text(), QStringLiteral("389999"));
    QCOMPARE(AcceptAndReadRefusal(dialog), QString());
    QCOMPARE(dialog.Values().range_start, std::string("380000"));
    QCOMPARE(dialog.Values().type_choice, MoveTypeChoice::kRange);
  }

  void formatDialogRowFieldsFollowTheMode() {
    CExportFormatDlg dialog(ExportFormatValues{});
    dialog.show();
    QVERIFY(!dialog.PerRowBox()->isEnabled() && !dialog.SeparatorBox()->isEnabled());
    ClickRadio(dialog.RowsButton());
    QVERIFY(dialog.PerRowBox()->isEnabled() && dialog.IntervalBox()->isEnabled());
    ClickRadio(dialog.AllButton());
    QVERIFY(!dialog.IntervalBox()->isEnabled());
    // Numbers per row is checked in both modes, disabled or not.
    dialog.PerRowBox()->setText("0");
    QCOMPARE(AcceptAndReadRefusal(dialog),
             QStringLiteral("请输入一个介于 1 和 2147483647 之间的整数。"));
    dialog.PerRowBox()->setText("3");
    dialog.IntervalBox()->setText("");
    QCOMPARE(AcceptAndReadRefusal(dialog), QStringLiteral("请输入一个整数。"));
  }

  void batchDialogRefusesZero() {
    CBatchSizeDlg dialog(BatchSizeValues{});
    dialog.show();
    QCOMPARE(dialog.SizeBox()->text(), QStringLiteral("5000"));
    QVERIFY(dialog.AutomaticBox()->isChecked());
    dialog.SizeBox()->setText("0");
    QCOMPARE(AcceptAndReadRefusal(dialog), QStringLiteral("最小分割单位不能为0!"));
    dialog.SizeBox()->setText("3");
    dialog.AutomaticBox()->setChecked(false);
    QCOMPARE(dialog.Values()->batch_size, 3LL);
    QVERIFY(!dialog.Values()->automatic);
  }

  // "使用最新号段" fills the four fields with the current allocation (stored only on "确定"):
  // 195 is then China Mobile and 193 China Telecom, which the defaults leave as Other.
  void settingsButtonFillsTheCurrentAllocation() {
    CSettingsDlg dialog(CarrierPrefixTexts{"13", "134", "130", "133"});
    QPushButton* current = nullptr;
    for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
      if (button->text() == QStringLiteral("使用最新号段"))
        current = button;
    }
    QVERIFY(current);
    current->click();
    const CarrierPrefixTexts texts = dialog.Values();
    const CarrierPrefixes prefixes{texts.number_beginnings, texts.mobile, texts.unicom,
                                   texts.telecom};
    QVERIFY(IsMobileNumber(prefixes, "19512345678"));
    QVERIFY(ClassifyCarrier(prefixes, "19512345678") == CarrierClass::Mobile);
    QVERIFY(ClassifyCarrier(prefixes, "19312345678") == CarrierClass::Telecom);
    QVERIFY(ClassifyCarrier(prefixes, "19612345678") == CarrierClass::Unicom);
    QVERIFY(ClassifyCarrier(prefixes, "19212345678") == CarrierClass::Other);
    QVERIFY(ClassifyCarrier(CarrierPrefixes{}, "19512345678") == CarrierClass::Other);
  }

  void moveAllButtonsMoveBothWays() {
    SettingsStore settings;
    AppState state(settings, "/nonexistent/");
    CMainDlg window(state);
    state.source.Append("a");
    state.source.Append("b");
    window.Button(MainButton::kAllDown)->click();
    window.WaitForCommand();
    QCOMPARE(state.target.Count(), 2);
    QVERIFY(!window.NoticeShown());
    QCOMPARE(window.TargetCounter(), QStringLiteral("当前目标号码框内有2个手机号码"));
    window.Button(MainButton::kAllUp)->click();
    window.WaitForCommand();
    QCOMPARE(state.source.At(1), std::string("b"));
    QCOMPARE(window.SourceCounter(), QStringLiteral("当前原始号码框内有2个手机号码"));
  }
};

QTEST_MAIN(NumberDialogsTest)
#include "number_dialogs_test.moc"
