#pragma once

#include <QDialog>
#include <optional>

#include "interface/dialog_values.h"

class QLineEdit;

namespace tessaril::app {

// "系统设置": the four carrier prefix texts, taken as typed.
class CSettingsDlg : public QDialog {
  Q_OBJECT

 public:
  CSettingsDlg(const CarrierPrefixTexts& shown, QWidget* parent = nullptr);
  CarrierPrefixTexts Values() const;

  static std::optional<CarrierPrefixTexts> Ask(QWidget* parent, const CarrierPrefixTexts& shown);

 private:
  QLineEdit* number_beginnings_;
  QLineEdit* mobile_;
  QLineEdit* unicom_;
  QLineEdit* telecom_;
};

}  // namespace tessaril::app
