#include "app/limit_edit.h"

#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpressionValidator>

#include "app/dialog_buttons.h"
#include "app/qt_text.h"
#include "interface/messages.h"

namespace tessaril::app {

CLimitEdit::CLimitEdit(QWidget* parent, int max_length, bool digits_only)
    : QLineEdit(parent), limit_(max_length) {
  if (digits_only) {
    setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), this));
  }
  connect(this, &QLineEdit::textEdited, this, &CLimitEdit::CutToLimit);
}

void CLimitEdit::SetLimit(int max_length) {
  limit_ = max_length;
}

void CLimitEdit::CutToLimit() {
  QString text = this->text();
  if (text.toUtf8().size() <= limit_)
    return;
  while (!text.isEmpty() && text.toUtf8().size() > limit_)
    text.chop(1);
  setText(text);
}

void ShowRefusal(QWidget* parent, const std::string& text) {
  QMessageBox box(QMessageBox::NoIcon, Q(kPromptCaption), Q(text), QMessageBox::Ok, parent);
  box.button(QMessageBox::Ok)->setText(Q(kOkLabel));
  box.exec();
}

}  // namespace tessaril::app
