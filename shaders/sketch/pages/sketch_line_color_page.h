// The "Line Color" page: where the line colour comes from, how far it may
// stray, the ranges of random colours and the variation of intensity.
#pragma once

#include "sketch_page.h"

class NprColorControl;

namespace linvale::sketch {

class SketchLineColorPage final : public SketchPage {
  Q_OBJECT

public:
  explicit SketchLineColorPage(SketchSettings& settings);

protected:
  void ShowMore(const SketchEnables& enables) override;

private:
  QWidget* BuildSource();
  QWidget* BuildChannel(const char* title, SketchField low, const char* lowName, SketchField high,
                        const char* highName);
  QWidget* BuildIntensity();
  void SwatchClicked();

  NprColorControl* mSwatch = nullptr;
};

}  // namespace linvale::sketch
