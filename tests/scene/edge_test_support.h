// Lookups over a node's line collections for the edge tests.
#pragma once

#include <tessel/ts_array.h>
#include <tessel/ts_line.h>

#include <cmath>

namespace edge_test {

// Index of the line joining a and b in either direction, or -1.
inline int findLine(const TS_ClassArray<TS_Line>& lines, const TS_3dPoint& a, const TS_3dPoint& b) {
  for (int i = 0; i < lines.Count(); ++i) {
    if ((lines[i].from == a && lines[i].to == b) || (lines[i].from == b && lines[i].to == a)) {
      return i;
    }
  }
  return -1;
}

inline bool isAxisAlignedUnitEdge(const TS_Line& line) {
  const TS_3dVector d = line.to - line.from;
  return std::abs(d.x) + std::abs(d.y) + std::abs(d.z) == 1.0;
}

}  // namespace edge_test
