#pragma once

#include <QDialog>
#include <optional>

#include "interface/dialog_values.h"

class QLineEdit;
class QRadioButton;

namespace tessaril::app {

// "导出格式": "全部导出" (one number per line) or "按行导出" with numbers per row, separator and
// blank-line interval; the three row fields are enabled only while "按行导出" is chosen.
class CExportFormatDlg : public QDialog {
  Q_OBJECT

 public:
  explicit CExportFormatDlg(const ExportFormatValues& shown, QWidget* parent = nullptr);
  QRadioButton* AllButton() const { return all_; }
  QRadioButton* RowsButton() const { return rows_; }
  QLineEdit* PerRowBox() const { return per_row_; }
  QLineEdit* SeparatorBox() const { return separator_; }
  QLineEdit* IntervalBox() const { return interval_; }

  // The values as typed, or the prompt that refuses them.
  std::optional<ExportFormatValues> Values(std::string* refusal = nullptr) const;

  static std::optional<ExportFormatValues> Ask(QWidget* parent, const ExportFormatValues& shown);

 public slots:
  void accept() override;

 private:
  void EnableRows();

  QRadioButton* all_;
  QRadioButton* rows_;
  QLineEdit* per_row_;
  QLineEdit* separator_;
  QLineEdit* interval_;
};

}  // namespace tessaril::app
