#pragma once

#include <QDialog>
#include <optional>

#include "interface/dialog_values.h"

class QRadioButton;

namespace tessaril::app {

class CLimitEdit;

// "按号码类型移动号码": a carrier, or a range of numbers given by the six digits after the
// leading 1 of its start and of its end. The two range boxes are enabled only while
// "指定号码范围:" is chosen.
class CMoveByTypeDlg : public QDialog {
  Q_OBJECT

 public:
  explicit CMoveByTypeDlg(const MoveByTypeValues& shown, QWidget* parent = nullptr);
  MoveByTypeValues Values() const;
  QRadioButton* Choice(int index) const { return choices_[index]; }
  CLimitEdit* StartBox() const { return start_; }
  CLimitEdit* EndBox() const { return end_; }

  static std::optional<MoveByTypeValues> Ask(QWidget* parent, const MoveByTypeValues& shown);

 public slots:
  void accept() override;

 private:
  void EnableRange();

  QRadioButton* choices_[4];
  CLimitEdit* start_;
  CLimitEdit* end_;
};

}  // namespace tessaril::app
