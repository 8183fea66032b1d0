#pragma once

#include <QDialog>
#include <string>

class QPushButton;

namespace tessaril::app {

class CStaticLink;

// The about box: the icon, the maker's slogan and web address as links to the home page, the
// telephone number, "软件升级" (opens the home page) and "确定".
class CAboutDlg : public QDialog {
  Q_OBJECT

 public:
  CAboutDlg(std::string home_page, QWidget* parent = nullptr);

  static void Show(QWidget* parent, const std::string& home_page);

  CStaticLink* Slogan() const { return slogan_; }
  CStaticLink* Address() const { return address_; }
  QPushButton* UpgradeButton() const { return upgrade_; }

 private:
  std::string home_page_;
  CStaticLink* slogan_;
  CStaticLink* address_;
  QPushButton* upgrade_;
};

}  // namespace tessaril::app
