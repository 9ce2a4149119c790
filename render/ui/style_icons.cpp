#include "style_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace linvale::ui {

namespace {

constexpr int kIconSize = 16;

// A sheet with a folded corner, the style file itself.
void DrawSheet(QPainter& painter, const QColor& paper) {
  QPainterPath sheet;
  sheet.moveTo(3, 1);
  sheet.lineTo(10, 1);
  sheet.lineTo(13, 4);
  sheet.lineTo(13, 15);
  sheet.lineTo(3, 15);
  sheet.closeSubpath();
  painter.setPen(QPen(QColor(80, 80, 80), 1));
  painter.setBrush(paper);
  painter.drawPath(sheet);
  painter.drawLine(10, 1, 10, 4);
  painter.drawLine(10, 4, 13, 4);
}

// The user: a head and shoulders.
void DrawPerson(QPainter& painter, const QColor& colour, double x, double y) {
  painter.setPen(Qt::NoPen);
  painter.setBrush(colour);
  painter.drawEllipse(QRectF(x + 1.5, y, 3.0, 3.0));
  painter.drawChord(QRectF(x, y + 3.0, 6.0, 6.0), 0, 180 * 16);
}

// The machine: a screen on a stand.
void DrawComputer(QPainter& painter) {
  painter.setPen(QPen(QColor(40, 40, 40), 1));
  painter.setBrush(QColor(70, 130, 200));
  painter.drawRect(QRectF(6.5, 8.5, 8.0, 5.0));
  painter.drawLine(QPointF(10.5, 13.5), QPointF(10.5, 15.0));
  painter.drawLine(QPointF(8.0, 15.5), QPointF(13.0, 15.5));
}

QPixmap DrawIcon(int kind) {
  QPixmap pixmap(kIconSize, kIconSize);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  switch (kind) {
    case 1:
      DrawSheet(painter, QColor(255, 250, 220));
      DrawPerson(painter, QColor(200, 90, 30), 8.0, 7.0);
      break;
    case 2:
      DrawSheet(painter, QColor(225, 240, 255));
      DrawPerson(painter, QColor(40, 120, 60), 5.0, 7.0);
      DrawPerson(painter, QColor(40, 160, 80), 9.5, 7.0);
      break;
    case 3:
      DrawSheet(painter, QColor(235, 235, 235));
      DrawComputer(painter);
      break;
    default: DrawSheet(painter, Qt::white); break;
  }
  return pixmap;
}

}  // namespace

QIcon StyleIcon(int kind) {
  if (kind < 0 || kind > 3) {
    return {};
  }
  return QIcon(DrawIcon(kind));
}

QPixmap PlaceholderPreview(int size) {
  QPixmap pixmap(size, size);
  pixmap.fill(QColor(240, 240, 240));
  QPainter painter(&pixmap);
  painter.setPen(QColor(160, 160, 160));
  painter.drawRect(0, 0, size - 1, size - 1);
  painter.drawText(pixmap.rect(), Qt::AlignCenter, "Preview");
  return pixmap;
}

}  // namespace linvale::ui
