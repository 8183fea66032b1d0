#include "app/move_by_type_dlg.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/caption_room.h"
#include "app/dialog_buttons.h"
#include "app/dialog_frame.h"
#include "app/limit_edit.h"
#include "app/qt_text.h"
#include "lists/move_commands.h"

namespace tessaril::app {

CMoveByTypeDlg::CMoveByTypeDlg(const MoveByTypeValues& shown, QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("按号码类型移动号码"));
  KeepOnlyCloseButton(this);
  auto* layout = new QHBoxLayout(this);
  auto* group = new QGroupBox(QStringLiteral("号码类型"), this);
  auto* group_layout = new QVBoxLayout(group);
  auto* radios = new QButtonGroup(this);
  const std::pair<int, const char*> choices[] = {{1046, "中国移动号码"},
                                                 {1047, "中国联通号码"},
                                                 {1058, "中国电信号码"},
                                                 {1048, "指定号码范围:"}};
  for (int i = 0; i < 4; ++i) {
    choices_[i] = new QRadioButton(QString::fromUtf8(choices[i].second), group);
    choices_[i]->setObjectName(QString::number(choices[i].first));
    radios->addButton(choices_[i], i);
    connect(choices_[i], &QRadioButton::clicked, this, &CMoveByTypeDlg::EnableRange);
    if (i < 3)
      group_layout->addWidget(choices_[i]);
  }

  // "指定号码范围:" 1[start]0000 --> 1[end]9999
  auto* range = new QHBoxLayout;
  range->addWidget(choices_[3]);
  auto add_box = [&](int id, const char* tail) {
    range->addWidget(new QLabel(QStringLiteral("1"), group));
    auto* box = new CLimitEdit(group, 6);
    box->setObjectName(QString::number(id));
    box->setFixedWidth(70);
    range->addWidget(box);
    range->addWidget(new QLabel(QString::fromUtf8(tail), group));
    return box;
  };
  start_ = add_box(1049, "0000");
  range->addWidget(new QLabel(QStringLiteral("-->"), group));
  end_ = add_box(1050, "9999");
  group_layout->addLayout(range);
  layout->addWidget(group);

  const int shown_choice = static_cast<int>(shown.type_choice);
  const int chosen = shown_choice >= 0 && shown_choice < 4 ? shown_choice : 0;
  choices_[chosen]->setChecked(true);
  start_->setText(Q(shown.range_start));
  end_->setText(Q(shown.range_end));
  EnableRange();

  layout->addWidget(OkCancelButtons(this, Qt::Vertical));
  MakeRoomForCaption(this);
}

void CMoveByTypeDlg::EnableRange() {
  const bool range = choices_[3]->isChecked();
  start_->setEnabled(range);
  end_->setEnabled(range);
}

MoveByTypeValues CMoveByTypeDlg::Values() const {
  MoveByTypeValues values;
  for (int i = 0; i < 4; ++i) {
    if (choices_[i]->isChecked())
      values.type_choice = static_cast<MoveTypeChoice>(i);
  }
  values.range_start = U(start_->text());
  values.range_end = U(end_->text());
  return values;
}

void CMoveByTypeDlg::accept() {
  if (std::optional<std::string> refused = CheckMoveByType(Values())) {
    ShowRefusal(this, *refused);
    return;
  }
  QDialog::accept();
}

std::optional<MoveByTypeValues> CMoveByTypeDlg::Ask(QWidget* parent,
                                                    const MoveByTypeValues& shown) {
  CMoveByTypeDlg dialog(shown, parent);
  if (dialog.exec() != QDialog::Accepted)
    return std::nullopt;
  return dialog.Values();
}

}  // namespace tessaril::app
