#include "app/app_icon.h"

#include <QPainter>
#include <QPixmap>

namespace tessaril::app {
namespace {

QPixmap Draw(int size) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.scale(size / 64.0, size / 64.0);
  const QColor blue(0x1f, 0x5f, 0xa8);
  const QColor paper(0xe8, 0xf1, 0xfb);
  painter.setPen(Qt::NoPen);
  painter.setBrush(blue);
  painter.drawRoundedRect(QRectF(14, 4, 36, 56), 6, 6);
  painter.setBrush(paper);
  painter.drawRect(QRectF(18, 11, 28, 38));
  painter.drawEllipse(QPointF(32, 54), 3, 3);
  painter.setBrush(blue);
  const int widths[] = {22, 18, 22, 15, 20};
  for (int i = 0; i < 5; ++i)
    painter.drawRect(QRectF(21, 15 + 6 * i, widths[i], 3));
  return pixmap;
}

}  // namespace

QIcon AppIcon() {
  QIcon icon;
  for (int size : {16, 24, 32, 48, 64, 128})
    icon.addPixmap(Draw(size));
  return icon;
}

}  // namespace tessaril::app
