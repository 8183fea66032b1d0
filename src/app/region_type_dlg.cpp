#include "app/region_type_dlg.h"
#include "app/caption_room.h"
#include "app/dialog_buttons.h"
#include "app/dialog_frame.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace tessaril::app {

CRegionTypeDlg::CRegionTypeDlg(const RegionTypeValues& shown, QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("选择按地区分类的类型"));
  KeepOnlyCloseButton(this);
  auto* layout = new QVBoxLayout(this);
  by_province_ = new QRadioButton(QStringLiteral("以省为分类单位"), this);
  by_city_ = new QRadioButton(QStringLiteral("以市为分类单位"), this);
  (shown.grouping == RegionGrouping::kCity ? by_city_ : by_province_)->setChecked(true);
  layout->addWidget(by_province_);
  layout->addWidget(by_city_);

  layout->addWidget(OkCancelButtons(this));
  MakeRoomForCaption(this);
}

RegionTypeValues CRegionTypeDlg::Values() const {
  return {by_city_->isChecked() ? RegionGrouping::kCity : RegionGrouping::kProvince};
}

std::optional<RegionTypeValues> CRegionTypeDlg::Ask(QWidget* parent,
                                                    const RegionTypeValues& shown) {
  CRegionTypeDlg dialog(shown, parent);
  if (dialog.exec() != QDialog::Accepted)
    return std::nullopt;
  return dialog.Values();
}

}  // namespace tessaril::app
