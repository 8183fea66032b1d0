#include "app/static_link.h"

#include <QApplication>
#include <QMouseEvent>

#include "app/open_url.h"
#include "app/qt_text.h"
#include "platform/codepage.h"

namespace tessaril::app {

CStaticLink::CStaticLink(const QString& text, std::string link, QWidget* parent)
    : QLabel(text, parent), link_(std::move(link)) {
  setTextFormat(Qt::PlainText);
  // A long advertisement is cut at the label's edge instead of widening the window.
  setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  setCursor(Qt::PointingHandCursor);
  ApplyColour();
}

void CStaticLink::SetText(const std::string& text) {
  // The service's texts are GBK; UTF-8 ones are taken as they are.
  setText(Q(DataTextToUtf8(text)));
}

bool CStaticLink::Open() {
  const std::string target = link_.empty() ? U(text().trimmed()) : link_;
  if (target.empty())
    return false;
  if (!OpenWebUrl(target)) {
    QApplication::beep();
    return false;
  }
  colour_ = kVisited;
  ApplyColour();
  update();
  return true;
}

void CStaticLink::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    Open();
    event->accept();
    return;
  }
  QLabel::mousePressEvent(event);
}

void CStaticLink::ApplyColour() {
  // The text in the link colour over the parent's background.
  QPalette palette = this->palette();
  palette.setColor(QPalette::WindowText, colour_);
  setPalette(palette);
  setAutoFillBackground(false);
}

}  // namespace tessaril::app
