#include "app/settings_dlg.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/caption_room.h"
#include "app/dialog_buttons.h"
#include "app/dialog_frame.h"
#include "app/qt_text.h"
#include "classify/carrier_allocation.h"

namespace tessaril::app {

CSettingsDlg::CSettingsDlg(const CarrierPrefixTexts& shown, QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("系统设置"));
  KeepOnlyCloseButton(this);
  auto* layout = new QVBoxLayout(this);
  auto add_field = [&](const char* label, const std::string& text) {
    auto* name = new QLabel(QString::fromUtf8(label), this);
    layout->addWidget(name);
    auto* edit = new QLineEdit(Q(text), this);
    name->setBuddy(edit);  // names the field for screen readers
    edit->setMinimumWidth(520);
    layout->addWidget(edit);
    return edit;
  };
  number_beginnings_ =
      add_field("设置可能是手机号码的前两位(用分号隔开):", shown.number_beginnings);
  mobile_ = add_field("设置中国移动号码的前三位(用分号隔开)", shown.mobile);
  unicom_ = add_field("设置中国联通号码的前三位(用分号隔开)", shown.unicom);
  telecom_ = add_field("设置中国电信号码得前三位(用分号隔开)", shown.telecom);

  // Fills the fields only: as every edit, they are stored on "确定".
  auto* current = new QPushButton(QStringLiteral("使用最新号段"), this);
  connect(current, &QPushButton::clicked, this, [this] {
    const CarrierPrefixTexts texts = CurrentCarrierAllocation();
    number_beginnings_->setText(Q(texts.number_beginnings));
    mobile_->setText(Q(texts.mobile));
    unicom_->setText(Q(texts.unicom));
    telecom_->setText(Q(texts.telecom));
  });
  layout->addWidget(current, 0, Qt::AlignLeft);
  layout->addWidget(OkCancelButtons(this));
  MakeRoomForCaption(this);
}

CarrierPrefixTexts CSettingsDlg::Values() const {
  return {U(number_beginnings_->text()), U(mobile_->text()), U(unicom_->text()),
          U(telecom_->text())};
}

std::optional<CarrierPrefixTexts> CSettingsDlg::Ask(QWidget* parent,
                                                    const CarrierPrefixTexts& shown) {
  CSettingsDlg dialog(shown, parent);
  if (dialog.exec() != QDialog::Accepted)
    return std::nullopt;
  return dialog.Values();
}

}  // namespace tessaril::app
