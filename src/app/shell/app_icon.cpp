#include "shell/app_icon.h"

#include <QImageReader>
#include <QPainter>
#include <QPixmap>

// The resources live in a static library: nothing else would pull them into the program.
static void InitAppResources() {
  Q_INIT_RESOURCE(i40app);
}

namespace i40::app {
namespace {

// The picture of i40seted.svg: a bank of item cells above a keyboard octave.
QPixmap PaintIcon(int size) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.scale(size / 64.0, size / 64.0);

  const QColor navy(0x1f, 0x4e, 0x79);
  painter.setPen(Qt::NoPen);
  painter.setBrush(navy);
  painter.drawRoundedRect(QRectF(2, 2, 60, 60), 10, 10);
  for (int row = 0; row < 3; ++row) {
    for (int column = 0; column < 4; ++column) {
      const bool selected = row == 1 && column == 1;
      painter.setBrush(selected ? QColor(0xff, 0xd9, 0x66) : QColor(0xe0, 0xff, 0xe0));
      painter.drawRect(QRectF(9 + column * 12, 9 + row * 8, 10, 6));
    }
  }

  painter.setBrush(Qt::white);
  painter.drawRect(QRectF(8, 36, 48, 20));
  const double key = 48.0 / 7.0;
  painter.setPen(QPen(navy, 1));
  for (int k = 1; k < 7; ++k)
    painter.drawLine(QPointF(8 + k * key, 36), QPointF(8 + k * key, 56));
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(0x20, 0x20, 0x20));
  for (int k : {1, 2, 4, 5, 6})
    painter.drawRect(QRectF(8 + k * key - 2.5, 36, 5, 12));
  return pixmap;
}

}  // namespace

QIcon AppIcon() {
  static const bool registered = (InitAppResources(), true);
  (void)registered;
  static const bool svgReader = QImageReader::supportedImageFormats().contains("svg");
  if (svgReader) {
    QIcon icon(QString::fromLatin1(kAppIconResource));
    if (!icon.isNull()) return icon;
  }
  QIcon icon;
  for (int size : {16, 24, 32, 48, 64, 128})
    icon.addPixmap(PaintIcon(size));
  return icon;
}

}  // namespace i40::app
