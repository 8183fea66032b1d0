#include "app/segment_export_dlg.h"

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
#include "app/qt_text.h"
#include "export/export_by_segment.h"

namespace tessaril::app {

CSegmentExportDlg::CSegmentExportDlg(const SegmentExportValues& shown, QWidget* parent)
    : QDialog(parent) {
  setWindowTitle(QStringLiteral("按照号码段导出"));
  KeepOnlyCloseButton(this);
  auto* layout = new QVBoxLayout(this);
  auto* row = new QHBoxLayout;
  row->addWidget(new QLabel(QStringLiteral("按照号码的前"), this));
  length_ = new QLineEdit(QString::number(shown.length), this);
  length_->setAccessibleName(QStringLiteral("按照号码的前几位进行导出"));
  // Digits only, as typed into the box.
  length_->setValidator(
      new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), length_));
  length_->setMaximumWidth(60);
  row->addWidget(length_);
  row->addWidget(new QLabel(QStringLiteral("位进行导出。"), this));
  layout->addLayout(row);

  layout->addWidget(OkCancelButtons(this));
  MakeRoomForCaption(this);
}

SegmentExportValues CSegmentExportDlg::Values() const {
  bool ok = false;
  int n = length_->text().toInt(&ok);
  return {ok ? n : 0};
}

void CSegmentExportDlg::accept() {
  if (std::optional<std::string> refused = CheckSegmentExportValues(Values())) {
    ShowRefusal(this, *refused);
    length_->setFocus();
    length_->selectAll();
    return;
  }
  QDialog::accept();
}

std::optional<SegmentExportValues> CSegmentExportDlg::Ask(QWidget* parent,
                                                          const SegmentExportValues& shown) {
  CSegmentExportDlg dialog(shown, parent);
  if (dialog.exec() != QDialog::Accepted)
    return std::nullopt;
  return dialog.Values();
}

}  // namespace tessaril::app
