// The "Edges" page: which edge kinds are drawn and the crease threshold.
#pragma once

#include "sketch_page.h"

namespace linvale::sketch {

class SketchEdgesPage final : public SketchPage {
  Q_OBJECT

public:
  explicit SketchEdgesPage(SketchSettings& settings);
};

}  // namespace linvale::sketch
