#include "app/segment_entry_dlg.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "acquire/segment_entry.h"
#include "app/caption_room.h"
#include "app/dialog_buttons.h"
#include "app/dialog_frame.h"
#include "app/limit_edit.h"
#include "app/qt_text.h"

namespace tessaril::app {

CSegmentEntryDlg::CSegmentEntryDlg(const SegmentEntryValues& shown, QWidget* parent)
    : QDialog(parent) {
  setWindowTitle(QStringLiteral("手工书写要导入的号码段:"));
  KeepOnlyCloseButton(this);
  auto* layout = new QGridLayout(this);
  auto* label = new QLabel(QStringLiteral("导入号段:"), this);
  layout->addWidget(label, 0, 0);
  segment_ = new CLimitEdit(this, static_cast<int>(kSegmentLength), /*digits_only=*/true);
  label->setBuddy(segment_);
  segment_->setText(Q(shown.segment));
  segment_->setMinimumWidth(160);
  layout->addWidget(segment_, 0, 1);
  layout->addWidget(new QLabel(QStringLiteral("7位数，不包含最后4位"), this), 1, 1);

  layout->addWidget(OkCancelButtons(this, Qt::Vertical), 0, 2, 2, 1);
  MakeRoomForCaption(this);
}

SegmentEntryValues CSegmentEntryDlg::Values() const {
  return {U(segment_->text())};
}

void CSegmentEntryDlg::accept() {
  if (std::optional<std::string> refused = CheckSegmentEntry(Values().segment)) {
    ShowRefusal(this, *refused);
    return;
  }
  QDialog::accept();
}

std::optional<SegmentEntryValues> CSegmentEntryDlg::Ask(QWidget* parent,
                                                        const SegmentEntryValues& shown) {
  CSegmentEntryDlg dialog(shown, parent);
  if (dialog.exec() != QDialog::Accepted)
    return std::nullopt;
  return dialog.Values();
}

}  // namespace tessaril::app
