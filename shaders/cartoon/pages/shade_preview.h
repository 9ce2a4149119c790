// A lit hemisphere in the shader's bands, drawn off screen at the widget's
// size so the Shade page shows what its sliders do.
#pragma once

#include "cartoon_page_rules.h"

#include <linvale/npr_gl_bitmap_context.h>
#include <linvale/npr_pages_interface.h>

#include <QImage>
#include <QWidget>

#include <memory>
#include <vector>

namespace linvale::cartoon {

class NPR_PAGES_API ShadePreview final : public QWidget {
  Q_OBJECT

public:
  ShadePreview(const CartoonSettings& settings, QWidget* parent);

  // Draws the hemisphere for the settings as they are now and repaints.
  void Redraw();
  // The last picture drawn; null when there is no drawing context.
  const QImage& Picture() const { return mPicture; }

  QSize sizeHint() const override { return {144, 144}; }

protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

private:
  bool MakeContext();
  void Draw();

  const CartoonSettings& mSettings;
  const std::vector<PreviewVector> mHemisphere = PreviewHemisphere();
  std::unique_ptr<NprGlBitmapContext> mContext;
  QImage mPicture;
  bool mErrorShown = false;
};

}  // namespace linvale::cartoon
