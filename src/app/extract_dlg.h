#pragma once

#include <QDialog>
#include <optional>

#include "interface/dialog_values.h"

class QCheckBox;
class QRadioButton;

namespace tessaril::app {

// "从文本或者粘贴版提取手机号码": where the text comes from and which kinds are taken. Any
// combination may be confirmed, none ticked included.
class CExtractDlg : public QDialog {
  Q_OBJECT

 public:
  CExtractDlg(const ExtractValues& shown, QWidget* parent = nullptr);
  ExtractValues Values() const;

  static std::optional<ExtractValues> Ask(QWidget* parent, const ExtractValues& shown);

 private:
  QRadioButton* from_file_;
  QRadioButton* from_clipboard_;
  QCheckBox* numbers_;
  QCheckBox* emails_;
};

}  // namespace tessaril::app
