#pragma once

#include <QDialog>
#include <optional>

#include "interface/dialog_values.h"

class QLineEdit;

namespace tessaril::app {

// "按照号码段导出": N, the number of leading characters, from 1 to 11 (5 when it opens).
class CSegmentExportDlg : public QDialog {
  Q_OBJECT

 public:
  // "确定" / "插入": the dialog's checks, then close with OK.
  void accept() override;
  CSegmentExportDlg(const SegmentExportValues& shown, QWidget* parent = nullptr);
  // N as typed; a text that is no whole number gives a value outside the range.
  SegmentExportValues Values() const;

  static std::optional<SegmentExportValues> Ask(QWidget* parent, const SegmentExportValues& shown);

 private:
  QLineEdit* length_;
};

}  // namespace tessaril::app
