// Offscreen tests of the dialogs of the location commands.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>
#include <fstream>

#include "app/move_by_features_dlg.h"
#include "app/region_tree_widget.h"
#include "app/region_type_dlg.h"
#include "app/segment_export_dlg.h"
#include "app/segment_picker_dlg.h"
#include "classify/location_data.h"

using namespace tessaril;
using namespace tessaril::app;

namespace {

RegionTree SampleTree() {
  return {{"湖北", {"武汉", "宜昌"}}, {"北京", {"北京"}}};
}

QRadioButton* Radio(QWidget& dialog, const QString& text) {
  for (QRadioButton* radio : dialog.findChildren<QRadioButton*>()) {
    if (radio->text() == text)
      return radio;
  }
  return nullptr;
}

}  // namespace

class LocationDialogsTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    QVERIFY(dir_.isValid());
    const std::string path = dir_.filePath("sms.dll").toStdString();
    std::ofstream(path) << "1 1380000 湖北 武汉\n2 1300000 湖北 武汉\n3 1390000 湖北 宜昌\n";
    locations_.StartLoader(path);
  }

  void pickerShowsACityFiltersAtARadioClickAndCountsTheChoice() {
    CarrierPrefixes prefixes;
    CSegmentPickerDlg dialog({SampleTree(), {}}, prefixes, locations_);
    QCOMPARE(dialog.Tree()->topLevelItemCount(), 2);
    QCOMPARE(dialog.TotalText(), QStringLiteral("总计: 0个号码段, 共0个号码"));
    dialog.Tree()->setCurrentItem(dialog.Tree()->topLevelItem(0)->child(0));  // 武汉
    QCOMPARE(dialog.TotalText(), QStringLiteral("总计: 2个号码段, 共20000个号码"));
    QVERIFY(dialog.Tree()->topLevelItem(0)->isExpanded());

    Radio(dialog, QStringLiteral("移动号码"))->click();
    QCOMPARE(dialog.TotalText(), QStringLiteral("总计: 1个号码段, 共10000个号码"));
    QCOMPARE(dialog.SegmentList()->model()->index(0, 0).data().toString(),
             QStringLiteral("1380000"));
    dialog.SegmentList()->selectAll();
    QCOMPARE(dialog.ChosenText(), QStringLiteral("选中: 1个号码段, 共10000个号码"));
    dialog.accept();
    QCOMPARE(dialog.Values().chosen, std::vector<std::string>{"1380000"});

    dialog.Tree()->setCurrentItem(dialog.Tree()->topLevelItem(1));  // a province: empty list
    QCOMPARE(dialog.TotalText(), QStringLiteral("总计: 0个号码段, 共0个号码"));
    QVERIFY(!dialog.Tree()->topLevelItem(0)->isExpanded());
  }

  void featureDialogReturnsTheFieldsAndTheSelectedItem() {
    FeatureMoveValues shown;
    shown.tree = SampleTree();
    CMoveByFeaturesDlg dialog(shown);
    auto boxes = dialog.findChildren<QCheckBox*>();
    QLineEdit* digits = dialog.findChildren<QLineEdit*>().front();
    QVERIFY(!digits->isEnabled());
    for (QCheckBox* box : boxes) {
      if (box->text() == QStringLiteral("包含特定数字串:") ||
          box->text() == QStringLiteral("城市匹配") || box->text() == QStringLiteral("数据匹配"))
        box->setChecked(true);
    }
    QVERIFY(digits->isEnabled());
    digits->setText(QStringLiteral("888"));
    dialog.findChild<QPlainTextEdit*>()->setPlainText(QStringLiteral("13800000001\n1380000000x2"));
    dialog.Tree()->setCurrentItem(dialog.Tree()->topLevelItem(0)->child(1));
    FeatureMoveValues values = dialog.Values();
    QVERIFY(values.digit_string && values.region && values.data);
    QCOMPARE(values.digits, std::string("888"));
    QCOMPARE(values.region_kind, RegionKind::kCity);
    QCOMPARE(values.region_item, std::string("宜昌"));
    QCOMPARE(values.data_text, std::string("13800000001\n13800000002"));
  }

  void exportDialogsOpenWithTheirDefaults() {
    CSegmentExportDlg segment(SegmentExportValues{});
    QCOMPARE(segment.Values().length, 5);
    segment.findChild<QLineEdit*>()->setText(QStringLiteral("11"));
    QCOMPARE(segment.Values().length, 11);
    CRegionTypeDlg region(RegionTypeValues{});
    QCOMPARE(region.Values().grouping, RegionGrouping::kProvince);
    Radio(region, QStringLiteral("以市为分类单位"))->setChecked(true);
    QCOMPARE(region.Values().grouping, RegionGrouping::kCity);
  }

 private:
  QTemporaryDir dir_;
  LocationData locations_;
};

QTEST_MAIN(LocationDialogsTest)
#include "location_dialogs_test.moc"
