#include "render_steps.h"

#include <linvale/npr_edge_kinds.h>

namespace linvale::cartoon {

int CartoonStepCount(unsigned int nodes, const CartoonSettings& settings, int antialiasStyle) {
  const int n = static_cast<int>(nodes);
  const NprEdgeSwitches edges = NprEdgeSwitchesOf(settings);
  return (n + 2) + edges.Count() * n + (edges.Any() ? n + 1 : 0) + (antialiasStyle != 0 ? 1 : 0);
}

}  // namespace linvale::cartoon
