#include "app/export_format_dlg.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "app/caption_room.h"
#include "app/dialog_buttons.h"
#include "app/dialog_frame.h"
#include "app/limit_edit.h"
#include "app/qt_text.h"
#include "export/export_all.h"
#include "interface/messages.h"

namespace tessaril::app {
namespace {

QLineEdit* DigitsBox(QWidget* parent, long long value) {
  auto* box = new QLineEdit(QString::number(value), parent);
  box->setValidator(
      new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), box));
  box->setFixedWidth(70);
  return box;
}

}  // namespace

CExportFormatDlg::CExportFormatDlg(const ExportFormatValues& shown, QWidget* parent)
    : QDialog(parent) {
  setWindowTitle(QStringLiteral("导出格式"));
  KeepOnlyCloseButton(this);
  auto* layout = new QVBoxLayout(this);
  all_ = new QRadioButton(QStringLiteral("全部导出"), this);
  rows_ = new QRadioButton(QStringLiteral("按行导出"), this);
  layout->addWidget(all_);
  layout->addWidget(rows_);

  auto* row_line = new QHBoxLayout;
  row_line->addSpacing(20);
  row_line->addWidget(new QLabel(QStringLiteral("每行"), this));
  per_row_ = DigitsBox(this, shown.numbers_per_row);
  per_row_->setAccessibleName(QStringLiteral("每行号码数"));
  row_line->addWidget(per_row_);
  row_line->addWidget(new QLabel(QStringLiteral("个号码，分隔符："), this));
  separator_ = new QLineEdit(Q(shown.separator), this);
  separator_->setAccessibleName(QStringLiteral("分隔符"));
  separator_->setFixedWidth(70);
  row_line->addWidget(separator_);
  row_line->addStretch(1);
  layout->addLayout(row_line);

  auto* blank_line = new QHBoxLayout;
  blank_line->addSpacing(20);
  blank_line->addWidget(new QLabel(QStringLiteral("每隔"), this));
  interval_ = DigitsBox(this, shown.blank_line_interval);
  interval_->setAccessibleName(QStringLiteral("每隔几行增加一空行"));
  blank_line->addWidget(interval_);
  blank_line->addWidget(new QLabel(QStringLiteral("行增加一空行"), this));
  blank_line->addStretch(1);
  layout->addLayout(blank_line);

  (shown.mode == ExportLayout::kRows ? rows_ : all_)->setChecked(true);
  connect(all_, &QRadioButton::clicked, this, &CExportFormatDlg::EnableRows);
  connect(rows_, &QRadioButton::clicked, this, &CExportFormatDlg::EnableRows);
  EnableRows();

  layout->addWidget(OkCancelButtons(this));
  MakeRoomForCaption(this);
}

void CExportFormatDlg::EnableRows() {
  const bool rows = rows_->isChecked();
  per_row_->setEnabled(rows);
  separator_->setEnabled(rows);
  interval_->setEnabled(rows);
}

std::optional<ExportFormatValues> CExportFormatDlg::Values(std::string* refusal) const {
  ExportFormatValues values;
  values.mode = rows_->isChecked() ? ExportLayout::kRows : ExportLayout::kAll;
  bool per_row_ok = false;
  bool interval_ok = false;
  values.numbers_per_row = per_row_->text().trimmed().toLongLong(&per_row_ok);
  values.separator = U(separator_->text());
  values.blank_line_interval = interval_->text().trimmed().toLongLong(&interval_ok);
  // The row fields are checked in both modes, disabled or not.
  std::optional<std::string> refused;
  if (!per_row_ok)
    refused = EnterIntegerBetween(1, 2147483647);
  else if (!interval_ok)
    refused = kEnterInteger;
  else
    refused = CheckExportFormat(values);
  if (refused) {
    if (refusal)
      *refusal = *refused;
    return std::nullopt;
  }
  return values;
}

void CExportFormatDlg::accept() {
  std::string refusal;
  if (!Values(&refusal)) {
    ShowRefusal(this, refusal);
    return;
  }
  QDialog::accept();
}

std::optional<ExportFormatValues> CExportFormatDlg::Ask(QWidget* parent,
                                                        const ExportFormatValues& shown) {
  CExportFormatDlg dialog(shown, parent);
  if (dialog.exec() != QDialog::Accepted)
    return std::nullopt;
  return dialog.Values();
}

}  // namespace tessaril::app
