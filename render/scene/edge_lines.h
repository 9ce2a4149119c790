// Helpers shared by the edge operations of a node. Position and normal
// collections are changed together so that they stay parallel.
#pragma once

#include <tessel/ts_array.h>
#include <tessel/ts_line.h>

namespace linvale::scene {

using Lines = TS_ClassArray<TS_Line>;
using Polylines = TS_ClassArray<TS_3dPointArray>;

inline void AppendLine(Lines& lines, Lines& normals, const TS_Line& line, const TS_Line& normal) {
  lines.Append(line);
  try {
    normals.Append(normal);
  } catch (...) {
    lines.Remove(lines.Count() - 1);
    throw;
  }
}

inline void RemoveLine(Lines& lines, Lines& normals, int i) {
  lines.Remove(i);
  normals.Remove(i);
}

}  // namespace linvale::scene
