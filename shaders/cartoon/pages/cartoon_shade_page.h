// The "Shade" page: the widths of the highlight and shadow bands, the
// three band colours, and a preview that follows them.
#pragma once

#include "cartoon_settings.h"

#include <linvale/npr_page_dialog.h>

class QSlider;

namespace linvale::cartoon {

class ShadePreview;

class CartoonShadePage final : public NprPageDialog {
  Q_OBJECT

public:
  explicit CartoonShadePage(CartoonSettings& settings);

  // Shows the settings' values and draws the preview; done whenever the
  // page is shown.
  void ShowSettings();

protected:
  void showEvent(QShowEvent* event) override;

private:
  void Changed();

  CartoonSettings& mSettings;
  ShadePreview* mPreview;
  QSlider* mHighlightAngle;
  QSlider* mShadowAngle;
  QSlider* mHighlightBlend;
  QSlider* mBaseBlend;
  QSlider* mShadowBlend;
};

}  // namespace linvale::cartoon
