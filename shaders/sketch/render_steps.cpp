#include "render_steps.h"

int SketchStepCount(const SketchSettings& settings, const RenderStepInputs& inputs) {
  const int perPass = static_cast<int>(inputs.nodes) + 1;
  const int edgeKinds = settings.silEdges + settings.disEdges + settings.endEdges;
  int steps = 1;
  steps += inputs.hasBackgroundStyle ? 1 : 0;
  steps += settings.b_paper != 0 ? 1 : 0;
  steps += inputs.antialiased ? 1 : 0;
  steps += edgeKinds > 0 ? perPass : 0;
  steps += edgeKinds * perPass;
  steps += perPass;
  steps += settings.textureFill != 0 && settings.textureMode > 0 ? 2 * perPass : 0;
  return steps;
}
