#include "app/extract_dlg.h"
#include "app/caption_room.h"
#include "app/dialog_buttons.h"
#include "app/dialog_frame.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace tessaril::app {

CExtractDlg::CExtractDlg(const ExtractValues& shown, QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("从文本或者粘贴版提取手机号码"));
  KeepOnlyCloseButton(this);
  auto* layout = new QVBoxLayout(this);

  auto* source = new QGroupBox(QStringLiteral("提取来源"), this);
  auto* source_layout = new QVBoxLayout(source);
  from_file_ = new QRadioButton(QStringLiteral("从指定的文本文件提取"), source);
  from_clipboard_ = new QRadioButton(QStringLiteral("从粘贴版中直接提取"), source);
  source_layout->addWidget(from_file_);
  source_layout->addWidget(from_clipboard_);
  (shown.source == ExtractSource::kClipboard ? from_clipboard_ : from_file_)->setChecked(true);
  layout->addWidget(source);

  auto* kinds = new QGroupBox(QStringLiteral("提取类型"), this);
  auto* kinds_layout = new QVBoxLayout(kinds);
  numbers_ = new QCheckBox(QStringLiteral("提取手机号码"), kinds);
  emails_ = new QCheckBox(QStringLiteral("提取邮箱"), kinds);
  numbers_->setChecked(shown.numbers);
  emails_->setChecked(shown.emails);
  kinds_layout->addWidget(numbers_);
  kinds_layout->addWidget(emails_);
  layout->addWidget(kinds);

  layout->addWidget(OkCancelButtons(this));
  MakeRoomForCaption(this);
}

ExtractValues CExtractDlg::Values() const {
  ExtractValues values;
  values.source = from_clipboard_->isChecked() ? ExtractSource::kClipboard : ExtractSource::kFile;
  values.numbers = numbers_->isChecked();
  values.emails = emails_->isChecked();
  return values;
}

std::optional<ExtractValues> CExtractDlg::Ask(QWidget* parent, const ExtractValues& shown) {
  CExtractDlg dialog(shown, parent);
  if (dialog.exec() != QDialog::Accepted)
    return std::nullopt;
  return dialog.Values();
}

}  // namespace tessaril::app
