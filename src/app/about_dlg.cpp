#include "app/about_dlg.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/app_icon.h"
#include "app/caption_room.h"
#include "app/dialog_buttons.h"
#include "app/dialog_frame.h"
#include "app/open_url.h"
#include "app/qt_text.h"
#include "app/static_link.h"

namespace tessaril::app {

CAboutDlg::CAboutDlg(std::string home_page, QWidget* parent)
    : QDialog(parent), home_page_(std::move(home_page)) {
  setWindowTitle(QStringLiteral("关于 KorvaneTessaril7.5"));
  KeepOnlyCloseButton(this);
  auto* layout = new QHBoxLayout(this);
  auto* icon = new QLabel(this);
  icon->setPixmap(AppIcon().pixmap(48, 48));
  icon->setAlignment(Qt::AlignTop);
  layout->addWidget(icon);

  auto* texts = new QVBoxLayout;
  texts->addWidget(new QLabel(QStringLiteral("KorvaneTessaril 手机号码整理工具 7.5 版"), this));
  // Both links lead to the maker's web site.
  slogan_ = new CStaticLink(QStringLiteral("Korvane —— 让号码整理更简单"), home_page_, this);
  address_ = new CStaticLink(Q(home_page_), home_page_, this);
  texts->addWidget(slogan_);
  texts->addWidget(address_);
  texts->addWidget(new QLabel(QStringLiteral("联系电话：400-555-0186"), this));
  layout->addLayout(texts, 1);

  auto* buttons = new QVBoxLayout;
  auto* ok = new QPushButton(Q(kOkLabel), this);
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  upgrade_ = new QPushButton(QStringLiteral("软件升级"), this);
  upgrade_->setAutoDefault(false);
  // The box's own "软件升级" leads to the web site; the update check is in the help menu.
  connect(upgrade_, &QPushButton::clicked, this, [this] { OpenWebUrl(home_page_); });
  buttons->addWidget(ok);
  buttons->addWidget(upgrade_);
  buttons->addStretch();
  layout->addLayout(buttons);
  MakeRoomForCaption(this);
}

void CAboutDlg::Show(QWidget* parent, const std::string& home_page) {
  CAboutDlg dialog(home_page, parent);
  dialog.exec();
}

}  // namespace tessaril::app
