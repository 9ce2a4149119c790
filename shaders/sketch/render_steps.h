// How many progress steps a Sketch render announces before it starts.
#pragma once

#include "sketch_settings.h"

namespace linvale::sketch {

struct RenderStepInputs {
  bool hasBackgroundStyle = false;
  bool antialiased = false;
  unsigned nodes = 0;
};

// One for setting up, one each for a background style, the paper and
// antialiasing, N + 1 for computing edges when any kind is drawn, N + 1 per
// edge kind drawn, N + 1 for the faces and 2N + 2 more for a textured fill.
int SketchStepCount(const SketchSettings& settings, const RenderStepInputs& inputs);

}  // namespace linvale::sketch
