// The "Line Shape" page: the random seed, the wave of the lines, their
// random ends and the variation of their width.
#pragma once

#include "sketch_page.h"

namespace linvale::sketch {

class SketchLineShapePage final : public SketchPage {
  Q_OBJECT

public:
  explicit SketchLineShapePage(SketchSettings& settings);

protected:
  void Opening() override;
  void ShowMore(const SketchEnables& enables) override;

private:
  QWidget* BuildWavy();
  QWidget* BuildEnds();
  QWidget* BuildWidth();

  // "Min." while the width varies, "Width" while it is fixed.
  QLabel* mMinWidthLabel = nullptr;
};

}  // namespace linvale::sketch
