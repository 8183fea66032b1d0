#pragma once

#include <QDialog>
#include <optional>

#include "interface/dialog_values.h"

class QRadioButton;

namespace tessaril::app {

// "选择按地区分类的类型": one file per province or per city; opens at "以省为分类单位".
class CRegionTypeDlg : public QDialog {
  Q_OBJECT

 public:
  CRegionTypeDlg(const RegionTypeValues& shown, QWidget* parent = nullptr);
  RegionTypeValues Values() const;

  static std::optional<RegionTypeValues> Ask(QWidget* parent, const RegionTypeValues& shown);

 private:
  QRadioButton* by_province_;
  QRadioButton* by_city_;
};

}  // namespace tessaril::app
