#pragma once

#include <QLineEdit>

namespace tessaril::app {

// A one-line edit box with a maximum length: whenever the user has changed its text and the text
// is longer than the maximum, it is cut to its first characters. The length counts the bytes of
// the text as the commands see it (UTF-8), so what the box holds is what their checks measure.
// With `digits_only` nothing but the digits 0 to 9 can be typed.
class CLimitEdit : public QLineEdit {
  Q_OBJECT

 public:
  explicit CLimitEdit(QWidget* parent = nullptr, int max_length = 1, bool digits_only = false);

  void SetLimit(int max_length);
  int Limit() const { return limit_; }

 private:
  void CutToLimit();

  int limit_;
};

// The message box a dialog shows when it refuses a value and stays open ("提示", "确定").
void ShowRefusal(QWidget* parent, const std::string& text);

}  // namespace tessaril::app
