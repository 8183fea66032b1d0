#include "app/batch_size_dlg.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "app/caption_room.h"
#include "app/dialog_buttons.h"
#include "app/dialog_frame.h"
#include "app/limit_edit.h"
#include "export/export_all.h"
#include "export/export_batches.h"
#include "interface/messages.h"

namespace tessaril::app {

CBatchSizeDlg::CBatchSizeDlg(const BatchSizeValues& shown, QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("号码保存参数设置"));
  KeepOnlyCloseButton(this);
  auto* layout = new QVBoxLayout(this);
  auto* size_line = new QHBoxLayout;
  auto* label = new QLabel(QStringLiteral("每个文件包含号码数:"), this);
  size_line->addWidget(label);
  size_ = new QLineEdit(QString::number(shown.batch_size), this);
  label->setBuddy(size_);
  size_->setValidator(
      new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), size_));
  size_->setFixedWidth(90);
  size_line->addWidget(size_);
  size_line->addWidget(new QLabel(QStringLiteral("个"), this));
  size_line->addStretch(1);
  layout->addLayout(size_line);
  automatic_ = new QCheckBox(QStringLiteral("全部号码自动分批保存"), this);
  automatic_->setChecked(shown.automatic);
  layout->addWidget(automatic_);

  layout->addWidget(OkCancelButtons(this));
  MakeRoomForCaption(this);
}

std::optional<BatchSizeValues> CBatchSizeDlg::Values(std::string* refusal) const {
  BatchSizeValues values;
  bool ok = false;
  values.batch_size = size_->text().trimmed().toLongLong(&ok);
  values.automatic = automatic_->isChecked();
  std::optional<std::string> refused = ok ? CheckBatchSize(values) : std::string(kEnterInteger);
  if (refused) {
    if (refusal)
      *refusal = *refused;
    return std::nullopt;
  }
  return values;
}

void CBatchSizeDlg::accept() {
  std::string refusal;
  if (!Values(&refusal)) {
    ShowRefusal(this, refusal);
    return;
  }
  QDialog::accept();
}

std::optional<BatchSizeValues> CBatchSizeDlg::Ask(QWidget* parent, const BatchSizeValues& shown) {
  CBatchSizeDlg dialog(shown, parent);
  if (dialog.exec() != QDialog::Accepted)
    return std::nullopt;
  return dialog.Values();
}

}  // namespace tessaril::app
