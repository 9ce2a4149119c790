// A colour swatch: filled with `mColor` while enabled, opening the host's
// colour chooser when clicked.
#pragma once

#include <linvale/export.h>

#include <QWidget>

class LINVALE_API NprColorControl : public QWidget {
  Q_OBJECT

public:
  explicit NprColorControl(QWidget* parent = nullptr);

  // The colour shown, red in the low byte. Pages set it before the swatch
  // is shown and read it back when they apply their values.
  unsigned long mColor = 0;

  QSize sizeHint() const override;

signals:
  // After the chooser has closed, whether the user confirmed or not, as a
  // static control with the notify style reports its click.
  void clicked();

protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
};
