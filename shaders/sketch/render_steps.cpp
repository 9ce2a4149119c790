#include "render_steps.h"

#include <linvale/npr_edge_kinds.h>

namespace linvale::sketch {

int SketchStepCount(const SketchSettings& settings, const RenderStepInputs& inputs) {
  const int perPass = static_cast<int>(inputs.nodes) + 1;
  const NprEdgeSwitches edges = NprEdgeSwitchesOf(settings);
  int steps = 1;
  steps += inputs.hasBackgroundStyle ? 1 : 0;
  steps += settings.b_paper != 0 ? 1 : 0;
  steps += inputs.antialiased ? 1 : 0;
  steps += edges.Any() ? perPass : 0;
  steps += edges.Count() * perPass;
  steps += perPass;
  steps += settings.textureFill != 0 && settings.textureMode > 0 ? 2 * perPass : 0;
  return steps;
}

}  // namespace linvale::sketch
