#include <linvale/npr_color_control.h>

#include <linvale/npr_host_application_services.h>
#include <linvale/npr_ui_window.h>

#include <QMouseEvent>
#include <QPainter>

#include "color_conversion.h"

NprColorControl::NprColorControl(QWidget* parent) : QWidget(parent) {
  setCursor(Qt::PointingHandCursor);
  setMinimumSize(24, 18);
}

QSize NprColorControl::sizeHint() const { return {48, 20}; }

void NprColorControl::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  // A disabled swatch shows the dialog's own background inside its frame,
  // so a colour that does not apply is not shown as if it did.
  if (isEnabled()) {
    painter.fillRect(rect(), linvale::ui::ToQColor(mColor));
  }
  painter.setPen(palette().color(QPalette::Mid));
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void NprColorControl::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    QWidget::mousePressEvent(event);
    return;
  }
  NprHostApplicationServices* host = NprHostApplicationServices::getDefaultHost();
  if (host != nullptr && host->GetColorDialog(NprWindowHandle(this), mColor) != 0) {
    update();
  }
  emit clicked();
}
