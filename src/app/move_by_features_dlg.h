#pragma once

#include <QDialog>
#include <optional>

#include "interface/dialog_values.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;

namespace tessaril::app {

class RegionTreeWidget;

// "按照组合特征移动号码": the features to move by, each with its tick.
class CMoveByFeaturesDlg : public QDialog {
  Q_OBJECT

 public:
  // "确定" / "插入": the dialog's checks, then close with OK.
  void accept() override;
  CMoveByFeaturesDlg(const FeatureMoveValues& shown, QWidget* parent = nullptr);
  FeatureMoveValues Values() const;

  static std::optional<FeatureMoveValues> Ask(QWidget* parent, const FeatureMoveValues& shown);

  RegionTreeWidget* Tree() const { return tree_; }

 private:
  void EnableFields();

  FeatureMoveValues shown_;
  QCheckBox* digit_string_;
  QLineEdit* digits_;
  QCheckBox* run_;
  QComboBox* run_length_;
  QCheckBox* copies_;
  QComboBox* copies_count_;
  QLineEdit* copies_digit_;
  QCheckBox* abab_;
  QCheckBox* aabb_;
  QCheckBox* aaaa_;
  QCheckBox* abcd_;
  QCheckBox* region_;
  RegionTreeWidget* tree_;
  QCheckBox* data_;
  QPlainTextEdit* data_text_;
};

}  // namespace tessaril::app
