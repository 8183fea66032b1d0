#pragma once

#include <QDialog>
#include <optional>

#include "interface/dialog_values.h"

namespace tessaril::app {

class CLimitEdit;

// "按号码数值特征移动号码": after the fixed leading "1", ten one-digit boxes for positions 2 to
// 11, grouped 2, 4 and 4 like the parts of a number. Every combination is accepted. Typed as a
// number is: a digit fills its box and moves on to the next, Backspace in an empty box goes back.
class CMoveByDigitsDlg : public QDialog {
  Q_OBJECT

 public:
  explicit CMoveByDigitsDlg(const DigitMaskValues& shown, QWidget* parent = nullptr);
  DigitMaskValues Values() const;
  CLimitEdit* Box(int index) const { return boxes_[index]; }

  static std::optional<DigitMaskValues> Ask(QWidget* parent, const DigitMaskValues& shown);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  CLimitEdit* boxes_[10];
};

}  // namespace tessaril::app
