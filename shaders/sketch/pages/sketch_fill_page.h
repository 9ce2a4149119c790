// The "Fill" page: whether and how faces are filled, and the paper texture
// laid over the picture.
#pragma once

#include "sketch_page.h"

class QLineEdit;

namespace linvale::sketch {

class SketchFillPage final : public SketchPage {
  Q_OBJECT

public:
  explicit SketchFillPage(SketchSettings& settings);

protected:
  void ShowMore(const SketchEnables& enables) override;

private:
  QWidget* BuildFill();
  QWidget* BuildPaper();
  void ChoosePaper();

  QLineEdit* mPaper = nullptr;
};

}  // namespace linvale::sketch
