#include "app/blacklist_dlg.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "app/caption_room.h"
#include "app/dialog_buttons.h"
#include "app/dialog_frame.h"
#include "app/qt_prompts.h"
#include "app/qt_text.h"
#include "filetools/blacklist.h"
#include "interface/messages.h"
#include "platform/settings_store.h"

namespace tessaril::app {

CBlacklistDlg::CBlacklistDlg(const BlacklistValues& shown, SettingsStore* settings, QWidget* parent)
    : QDialog(parent), shown_(shown), settings_(settings) {
  setWindowTitle(QStringLiteral("滤除黑名单号码"));
  KeepOnlyCloseButton(this);
  auto* layout = new QGridLayout(this);

  // Left: the region list.
  auto* region_group = new QGroupBox(QStringLiteral("选择导出要指定的地区"), this);
  auto* region_layout = new QVBoxLayout(region_group);
  all_regions_ = new QCheckBox(QStringLiteral("全部地区"), region_group);
  region_layout->addWidget(all_regions_);
  regions_ = new QTreeWidget(region_group);
  regions_->setAccessibleName(region_group->title());
  regions_->setColumnCount(1);
  regions_->setHeaderLabels({QStringLiteral("地区")});
  regions_->header()->resizeSection(0, 140);
  regions_->setRootIsDecorated(false);
  for (std::string_view province : kProvinceTable) {
    auto* item = new QTreeWidgetItem(regions_, {Q(province)});
    const bool ticked = std::find(shown.ticked_regions.begin(), shown.ticked_regions.end(),
                                  province) != shown.ticked_regions.end();
    item->setCheckState(0, ticked ? Qt::Checked : Qt::Unchecked);
  }
  region_layout->addWidget(regions_, 1);
  auto* region_buttons = new QHBoxLayout;
  auto* tick_all = new QPushButton(QStringLiteral("全选"), region_group);
  auto* tick_none = new QPushButton(QStringLiteral("全不选"), region_group);
  tick_all->setAutoDefault(false);
  tick_none->setAutoDefault(false);
  region_buttons->addWidget(tick_all);
  region_buttons->addWidget(tick_none);
  region_layout->addLayout(region_buttons);
  layout->addWidget(region_group, 0, 0, 4, 1);

  // Right: the blacklist file, the carriers, the settings and the export mode.
  auto* path_row = new QHBoxLayout;
  auto* path_label = new QLabel(QStringLiteral("选择黑名单文件:"), this);
  path_row->addWidget(path_label);
  blacklist_path_ = new QLineEdit(ShownPath(shown.blacklist_path), this);
  path_label->setBuddy(blacklist_path_);
  blacklist_path_->setMinimumWidth(220);
  path_row->addWidget(blacklist_path_, 1);
  auto* browse = new QPushButton(QStringLiteral("浏览"), this);
  browse->setAutoDefault(false);
  path_row->addWidget(browse);
  layout->addLayout(path_row, 0, 1);

  auto* carrier_group = new QGroupBox(QStringLiteral("选择导出要指定的运营商"), this);
  auto* carrier_layout = new QVBoxLayout(carrier_group);
  all_carriers_ = new QCheckBox(QStringLiteral("全部运营商"), carrier_group);
  mobile_ = new QCheckBox(QStringLiteral("中国移动"), carrier_group);
  unicom_ = new QCheckBox(QStringLiteral("中国联通"), carrier_group);
  telecom_ = new QCheckBox(QStringLiteral("中国电信"), carrier_group);
  for (QCheckBox* box : {all_carriers_, mobile_, unicom_, telecom_})
    carrier_layout->addWidget(box);
  layout->addWidget(carrier_group, 1, 1);

  auto* settings_group = new QGroupBox(QStringLiteral("设置"), this);
  auto* settings_layout = new QVBoxLayout(settings_group);
  remove_duplicates_ = new QCheckBox(QStringLiteral("去除重复号码"), settings_group);
  export_unrecognised_ = new QCheckBox(QStringLiteral("导出未识别号码"), settings_group);
  settings_layout->addWidget(remove_duplicates_);
  settings_layout->addWidget(export_unrecognised_);
  order_ = new QButtonGroup(this);
  auto* order_row = new QHBoxLayout;
  const char* orders[] = {"保持原序", "重新排序", "重新乱序"};
  for (int i = 0; i < 3; ++i) {
    auto* radio = new QRadioButton(QString::fromUtf8(orders[i]), settings_group);
    order_->addButton(radio, i);
    order_row->addWidget(radio);
  }
  settings_layout->addLayout(order_row);
  create_folder_ = new QCheckBox(QStringLiteral("导出的同时生成同名文件夹"), settings_group);
  settings_layout->addWidget(create_folder_);
  layout->addWidget(settings_group, 2, 1);

  auto* export_group = new QGroupBox(QStringLiteral("导出"), this);
  auto* export_layout = new QGridLayout(export_group);
  export_mode_ = new QButtonGroup(this);
  const char* modes[] = {"按地区+运营商导出", "按地区导出", "按运营商导出", "不区分，全部导出"};
  for (int i = 0; i < 4; ++i) {
    auto* radio = new QRadioButton(QString::fromUtf8(modes[i]), export_group);
    export_mode_->addButton(radio, i);
    export_layout->addWidget(radio, i / 2, i % 2);
  }
  layout->addWidget(export_group, 3, 1);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  auto* ok = new QPushButton(Q(kOkLabel), this);
  auto* cancel = new QPushButton(Q(kCancelLabel), this);
  ok->setDefault(true);
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  layout->addLayout(buttons, 4, 0, 1, 2);

  all_regions_->setChecked(shown.all_regions != 0);
  all_carriers_->setChecked(shown.all_carriers != 0);
  telecom_->setChecked(shown.telecom != 0);
  unicom_->setChecked(shown.unicom != 0);
  mobile_->setChecked(shown.mobile != 0);
  remove_duplicates_->setChecked(shown.remove_duplicates != 0);
  export_unrecognised_->setChecked(shown.export_unrecognised != 0);
  create_folder_->setChecked(shown.create_folder != 0);
  if (QAbstractButton* mode = export_mode_->button(static_cast<int>(shown.export_mode)))
    mode->setChecked(true);
  if (QAbstractButton* order = order_->button(static_cast<int>(shown.order)))
    order->setChecked(true);
  ApplyEnableRules();

  connect(all_regions_, &QCheckBox::toggled, this, &CBlacklistDlg::ApplyEnableRules);
  connect(all_carriers_, &QCheckBox::toggled, this, &CBlacklistDlg::ApplyEnableRules);
  connect(tick_all, &QPushButton::clicked, this, [this] { TickAllRegions(true); });
  connect(tick_none, &QPushButton::clicked, this, [this] { TickAllRegions(false); });
  connect(browse, &QPushButton::clicked, this, &CBlacklistDlg::Browse);
  connect(ok, &QPushButton::clicked, this, &CBlacklistDlg::accept);
  connect(cancel, &QPushButton::clicked, this, &CBlacklistDlg::reject);
  MakeRoomForCaption(this);
}

void CBlacklistDlg::ApplyEnableRules() {
  regions_->setEnabled(!all_regions_->isChecked());
  const bool carriers = !all_carriers_->isChecked();
  for (QCheckBox* box : {mobile_, unicom_, telecom_})
    box->setEnabled(carriers);
}

void CBlacklistDlg::TickAllRegions(bool ticked) {
  for (int i = 0; i < regions_->topLevelItemCount(); ++i)
    regions_->topLevelItem(i)->setCheckState(0, ticked ? Qt::Checked : Qt::Unchecked);
}

void CBlacklistDlg::Browse() {
  SettingsStore in_memory;
  SettingsStore& settings = settings_ ? *settings_ : in_memory;
  const auto picked = PickOpenFilesDialog(this, settings, {"", kTextFileFilter, false});
  if (picked)
    blacklist_path_->setText(ShownPath(picked->front()));
}

BlacklistValues CBlacklistDlg::Values() const {
  BlacklistValues v = shown_;
  v.blacklist_path = TypedPath(blacklist_path_->text());
  v.all_regions = all_regions_->isChecked() ? 1 : 0;
  v.all_carriers = all_carriers_->isChecked() ? 1 : 0;
  v.telecom = telecom_->isChecked() ? 1 : 0;
  v.unicom = unicom_->isChecked() ? 1 : 0;
  v.mobile = mobile_->isChecked() ? 1 : 0;
  v.export_mode = static_cast<BlacklistSplit>(std::max(0, export_mode_->checkedId()));
  v.remove_duplicates = remove_duplicates_->isChecked() ? 1 : 0;
  v.export_unrecognised = export_unrecognised_->isChecked() ? 1 : 0;
  v.order = static_cast<BlacklistOrder>(std::max(0, order_->checkedId()));
  v.create_folder = create_folder_->isChecked() ? 1 : 0;
  v.ticked_regions.clear();
  for (int i = 0; i < regions_->topLevelItemCount(); ++i) {
    if (regions_->topLevelItem(i)->checkState(0) == Qt::Checked)
      v.ticked_regions.push_back(U(regions_->topLevelItem(i)->text(0)));
  }
  return v;
}

void CBlacklistDlg::accept() {
  if (std::optional<std::string> refusal = ConfirmBlacklistValues(Values())) {
    QMessageBox::warning(this, Q(kApplicationName), Q(*refusal));
    return;
  }
  QDialog::accept();
}

void CBlacklistDlg::reject() {
  if (settings_)
    SaveBlacklistSettings(*settings_, Values());
  QDialog::reject();
}

std::optional<BlacklistValues> CBlacklistDlg::Ask(QWidget* parent, const BlacklistValues& shown,
                                                  SettingsStore& settings) {
  CBlacklistDlg dialog(shown, &settings, parent);
  if (dialog.exec() != QDialog::Accepted)
    return std::nullopt;
  return dialog.Values();
}

}  // namespace tessaril::app
