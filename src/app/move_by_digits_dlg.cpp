#include "app/move_by_digits_dlg.h"

#include <algorithm>
#include <iterator>

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/caption_room.h"
#include "app/dialog_buttons.h"
#include "app/dialog_frame.h"
#include "app/limit_edit.h"
#include "app/qt_text.h"

namespace tessaril::app {
namespace {

// The boxes' control ids, positions 2 to 11.
constexpr int kBoxIds[10] = {1035, 1038, 1040, 1041, 1042, 1043, 1044, 1045, 1046, 1047};

}  // namespace

CMoveByDigitsDlg::CMoveByDigitsDlg(const DigitMaskValues& shown, QWidget* parent)
    : QDialog(parent) {
  setWindowTitle(QStringLiteral("按号码数值特征移动号码"));
  KeepOnlyCloseButton(this);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(QStringLiteral("移动符合下列条件的号码:"), this));

  auto* row = new QHBoxLayout;
  row->addWidget(new QLabel(QStringLiteral("1"), this));
  for (int i = 0; i < 10; ++i) {
    // Groups of 2, 4 and 4 boxes, like the parts of a number.
    if (i == 2 || i == 6)
      row->addSpacing(14);
    boxes_[i] = new CLimitEdit(this, 1, /*digits_only=*/true);
    boxes_[i]->setObjectName(QString::number(kBoxIds[i]));
    boxes_[i]->setFixedWidth(26);
    boxes_[i]->setAlignment(Qt::AlignCenter);
    boxes_[i]->setText(Q(shown.boxes[static_cast<size_t>(i)]));
    boxes_[i]->installEventFilter(this);
    boxes_[i]->setAccessibleName(QStringLiteral("第%1位").arg(i + 2));
    row->addWidget(boxes_[i]);
  }
  row->addStretch(1);
  layout->addLayout(row);

  for (const char* line : {"注:在需要控制的位上设定号码数值,如某位不控制请保留为空。",
                           "如某位为空,则表示该位不作限制，可为任意值。",
                           "请不要每位都填入数字，这样可能没有符合条件的号码。",
                           "如果全部为空的话,那么可能所有号码都需要移动。"}) {
    layout->addWidget(new QLabel(QString::fromUtf8(line), this));
  }

  layout->addWidget(OkCancelButtons(this));
  MakeRoomForCaption(this);
}

DigitMaskValues CMoveByDigitsDlg::Values() const {
  DigitMaskValues mask;
  for (int i = 0; i < 10; ++i)
    mask.boxes[static_cast<size_t>(i)] = U(boxes_[i]->text());
  return mask;
}

bool CMoveByDigitsDlg::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress)
    return QDialog::eventFilter(watched, event);
  const auto* box = std::find(std::begin(boxes_), std::end(boxes_), watched);
  if (box == std::end(boxes_))
    return QDialog::eventFilter(watched, event);
  const int i = static_cast<int>(box - std::begin(boxes_));
  const auto* key = static_cast<QKeyEvent*>(event);
  const QString typed = key->text();
  const bool digit =
      typed.size() == 1 && typed[0] >= QLatin1Char('0') && typed[0] <= QLatin1Char('9');
  if (digit && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
    // The box holds one digit: the typed one replaces it, and the next position follows.
    boxes_[i]->setText(typed);
    if (i + 1 < 10)
      boxes_[i + 1]->setFocus(Qt::TabFocusReason);
    return true;
  }
  if (key->key() == Qt::Key_Backspace && boxes_[i]->text().isEmpty() && i > 0) {
    boxes_[i - 1]->clear();
    boxes_[i - 1]->setFocus(Qt::BacktabFocusReason);
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

std::optional<DigitMaskValues> CMoveByDigitsDlg::Ask(QWidget* parent,
                                                     const DigitMaskValues& shown) {
  CMoveByDigitsDlg dialog(shown, parent);
  if (dialog.exec() != QDialog::Accepted)
    return std::nullopt;
  return dialog.Values();
}

}  // namespace tessaril::app
