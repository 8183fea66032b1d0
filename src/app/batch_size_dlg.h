#pragma once

#include <QDialog>
#include <optional>

#include "interface/dialog_values.h"

class QCheckBox;
class QLineEdit;

namespace tessaril::app {

// "号码保存参数设置": numbers per file and "全部号码自动分批保存"; it always opens with what the
// command passes in (5000, ticked).
class CBatchSizeDlg : public QDialog {
  Q_OBJECT

 public:
  explicit CBatchSizeDlg(const BatchSizeValues& shown, QWidget* parent = nullptr);
  QLineEdit* SizeBox() const { return size_; }
  QCheckBox* AutomaticBox() const { return automatic_; }

  // The values as typed, or the prompt that refuses them.
  std::optional<BatchSizeValues> Values(std::string* refusal = nullptr) const;

  static std::optional<BatchSizeValues> Ask(QWidget* parent, const BatchSizeValues& shown);

 public slots:
  void accept() override;

 private:
  QLineEdit* size_;
  QCheckBox* automatic_;
};

}  // namespace tessaril::app
