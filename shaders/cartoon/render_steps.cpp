#include "render_steps.h"

bool DrawsAnyEdges(const CartoonSettings& settings) {
  return settings.silEdges != 0 || settings.endEdges != 0 || settings.disEdges != 0;
}

int CartoonStepCount(unsigned int nodes, const CartoonSettings& settings, int antialiasStyle) {
  const int n = static_cast<int>(nodes);
  const auto perKind = [n](std::int32_t flag) { return flag != 0 ? n : 0; };
  return (n + 2) + perKind(settings.silEdges) + perKind(settings.endEdges) + perKind(settings.disEdges) +
         (DrawsAnyEdges(settings) ? n + 1 : 0) + (antialiasStyle != 0 ? 1 : 0);
}
