#include "app/move_by_features_dlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>
#include <QVBoxLayout>
#include <algorithm>

#include "app/caption_room.h"
#include "app/dialog_buttons.h"
#include "app/dialog_frame.h"
#include "app/limit_edit.h"
#include "app/qt_text.h"
#include "app/region_tree_widget.h"
#include "lists/move_by_features.h"

namespace tessaril::app {
namespace {

QComboBox* CountCombo(QWidget* parent) {
  auto* combo = new QComboBox(parent);
  combo->setEditable(true);
  for (int i = 2; i <= 10; ++i)
    combo->addItem(QString::number(i));
  combo->setCurrentIndex(-1);
  combo->setEditText(QString());
  return combo;
}

}  // namespace

CMoveByFeaturesDlg::CMoveByFeaturesDlg(const FeatureMoveValues& shown, QWidget* parent)
    : QDialog(parent), shown_(shown) {
  setWindowTitle(QStringLiteral("按照组合特征移动号码"));
  KeepOnlyCloseButton(this);
  auto* layout = new QHBoxLayout(this);

  auto* features = new QGroupBox(QStringLiteral("选择特征"), this);
  auto* grid = new QGridLayout(features);
  digit_string_ = new QCheckBox(QStringLiteral("包含特定数字串:"), features);
  digits_ = new QLineEdit(features);
  grid->addWidget(digit_string_, 0, 0);
  grid->addWidget(digits_, 0, 1, 1, 2);
  run_ = new QCheckBox(QStringLiteral("至少包含连续号码长度为:"), features);
  run_length_ = CountCombo(features);
  grid->addWidget(run_, 1, 0);
  grid->addWidget(run_length_, 1, 1);
  grid->addWidget(new QLabel(QStringLiteral("位"), features), 1, 2);
  copies_ = new QCheckBox(QStringLiteral("至少包含多少个某位数:"), features);
  copies_count_ = CountCombo(features);
  copies_digit_ = new CLimitEdit(features, 1, false);
  copies_digit_->setMaximumWidth(40);
  auto* copies_row = new QHBoxLayout;
  copies_row->addWidget(copies_count_);
  copies_row->addWidget(new QLabel(QStringLiteral("个"), features));
  copies_row->addWidget(copies_digit_);
  grid->addWidget(copies_, 2, 0);
  grid->addLayout(copies_row, 2, 1, 1, 2);
  abab_ = new QCheckBox(QStringLiteral("末尾四位为ABAB形式"), features);
  aabb_ = new QCheckBox(QStringLiteral("末尾四位为AABB形式"), features);
  aaaa_ = new QCheckBox(QStringLiteral("末尾四位为AAAA形式"), features);
  abcd_ = new QCheckBox(QStringLiteral("末尾四位为ABCD形式"), features);
  grid->addWidget(abab_, 3, 0);
  grid->addWidget(aabb_, 4, 0);
  grid->addWidget(aaaa_, 5, 0);
  grid->addWidget(abcd_, 6, 0);
  grid->setRowStretch(7, 1);
  layout->addWidget(features);

  // The region and data groups carry their tick at the top; their contents stay usable.
  auto* region_group = new QGroupBox(this);
  auto* region_layout = new QVBoxLayout(region_group);
  region_ = new QCheckBox(QStringLiteral("城市匹配"), region_group);
  tree_ = new RegionTreeWidget(shown.tree, region_group);
  tree_->setAccessibleName(region_->text());
  tree_->setMinimumSize(180, 320);
  region_layout->addWidget(region_);
  region_layout->addWidget(tree_, 1);
  layout->addWidget(region_group);

  auto* data_group = new QGroupBox(this);
  auto* data_layout = new QVBoxLayout(data_group);
  data_ = new QCheckBox(QStringLiteral("数据匹配"), data_group);
  data_text_ = new QPlainTextEdit(data_group);
  data_text_->setAccessibleName(data_->text());
  data_text_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  data_text_->setMinimumWidth(160);
  // The box takes digits and line breaks; anything else typed or pasted is dropped.
  connect(data_text_, &QPlainTextEdit::textChanged, this, [this] {
    const QString text = data_text_->toPlainText();
    QString kept;
    kept.reserve(text.size());
    for (QChar c : text) {
      if ((c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('\n'))
        kept.append(c);
    }
    if (kept.size() == text.size())
      return;
    int cursor = data_text_->textCursor().position() - static_cast<int>(text.size() - kept.size());
    data_text_->setPlainText(kept);
    QTextCursor moved = data_text_->textCursor();
    moved.setPosition(std::clamp(cursor, 0, static_cast<int>(kept.size())));
    data_text_->setTextCursor(moved);
  });
  data_layout->addWidget(data_);
  data_layout->addWidget(data_text_, 1);

  auto* buttons = new QHBoxLayout;
  auto* confirm = new QPushButton(Q(kOkLabel), this);
  confirm->setDefault(true);
  auto* cancel = new QPushButton(Q(kCancelLabel), this);
  connect(confirm, &QPushButton::clicked, this, &CMoveByFeaturesDlg::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  buttons->addWidget(confirm);
  buttons->addWidget(cancel);
  data_layout->addLayout(buttons);
  layout->addWidget(data_group);

  for (QCheckBox* box : {digit_string_, run_, copies_})
    connect(box, &QCheckBox::toggled, this, &CMoveByFeaturesDlg::EnableFields);
  EnableFields();
  MakeRoomForCaption(this);
}

void CMoveByFeaturesDlg::EnableFields() {
  digits_->setEnabled(digit_string_->isChecked());
  run_length_->setEnabled(run_->isChecked());
  copies_count_->setEnabled(copies_->isChecked());
  copies_digit_->setEnabled(copies_->isChecked());
}

FeatureMoveValues CMoveByFeaturesDlg::Values() const {
  FeatureMoveValues values;
  values.tree = shown_.tree;
  values.digit_string = digit_string_->isChecked();
  values.digits = U(digits_->text());
  values.run = run_->isChecked();
  values.run_length = U(run_length_->currentText());
  values.copies = copies_->isChecked();
  values.copies_count = U(copies_count_->currentText());
  values.copies_digit = U(copies_digit_->text());
  values.abab = abab_->isChecked();
  values.aabb = aabb_->isChecked();
  values.aaaa = aaaa_->isChecked();
  values.abcd = abcd_->isChecked();
  values.region = region_->isChecked();
  if (values.region) {
    values.region_kind = static_cast<RegionKind>(tree_->SelectedKind());
    values.region_item = U(tree_->SelectedText());
  }
  values.data = data_->isChecked();
  // The box gives its lines separated by LF; the data-match set takes them as lines all the same.
  values.data_text = U(data_text_->toPlainText());
  return values;
}

void CMoveByFeaturesDlg::accept() {
  if (std::optional<std::string> refused = CheckFeatureMoveValues(Values())) {
    ShowRefusal(this, *refused);
    return;
  }
  QDialog::accept();
}

std::optional<FeatureMoveValues> CMoveByFeaturesDlg::Ask(QWidget* parent,
                                                         const FeatureMoveValues& shown) {
  CMoveByFeaturesDlg dialog(shown, parent);
  if (dialog.exec() != QDialog::Accepted)
    return std::nullopt;
  return dialog.Values();
}

}  // namespace tessaril::app
