#pragma once

#include <QDialog>
#include <optional>

#include "interface/dialog_values.h"

namespace tessaril::app {

class CLimitEdit;

// "手工书写要导入的号码段:": one segment of seven digits; "确定" closes only for a segment the core
// check accepts.
class CSegmentEntryDlg : public QDialog {
  Q_OBJECT

 public:
  explicit CSegmentEntryDlg(const SegmentEntryValues& shown, QWidget* parent = nullptr);
  SegmentEntryValues Values() const;
  CLimitEdit* SegmentBox() const { return segment_; }

  static std::optional<SegmentEntryValues> Ask(QWidget* parent, const SegmentEntryValues& shown);

 public slots:
  void accept() override;

 private:
  CLimitEdit* segment_;
};

}  // namespace tessaril::app
