#include <linvale/node.h>

#include "edge_lines.h"

#include <cmath>

using linvale::scene::Lines;

namespace {

// Appends the pieces of `line`, from `from` to `to`, each `length` long but
// the last, which ends exactly at `to`. Every piece keeps the whole line's normals.
void AppendPieces(Lines& lines, Lines& normals, const TS_Line& line, const TS_Line& normal, double lineLength,
                  double length) {
  double t = 0.0;
  while (t < lineLength) {
    const double t2 = t + length;
    if (t2 == t) {
      // The step vanished in rounding; finish the line in one piece rather than loop forever.
      linvale::scene::AppendLine(lines, normals, TS_Line(line.PointAt(t / lineLength), line.to), normal);
      return;
    }
    const TS_3dPoint end = t2 <= lineLength ? line.PointAt(t2 / lineLength) : line.to;
    linvale::scene::AppendLine(lines, normals, TS_Line(line.PointAt(t / lineLength), end), normal);
    t = t2;
  }
}

// Pieces go to the end of the collection; the pass stops at the count it
// started with, so pieces are not split again (bar rounding).
void SplitLines(Lines& lines, Lines& normals, double length) {
  if (!(length > 0.0) || lines.Count() != normals.Count()) {
    return;
  }
  try {
    const int count = lines.Count();
    int i = 0;
    while (i < count) {
      const TS_Line line = lines[i];
      const TS_Line normal = normals[i];
      const double lineLength = line.Length();
      // An infinite length would never be reached by the piece loop.
      if (lineLength <= length || !std::isfinite(lineLength)) {
        ++i;
        continue;
      }
      linvale::scene::RemoveLine(lines, normals, i);
      AppendPieces(lines, normals, line, normal, lineLength, length);
    }
  } catch (...) {
    // Out of memory: the collections stay parallel, some pieces may be missing.
  }
}

}  // namespace

void Node::SplitSilhouettes(double length) { SplitLines(m_silLines, m_silNormalLines, length); }

void Node::SplitDis(double length) { SplitLines(m_disLines, m_disNormalLines, length); }

void Node::SplitEnd(double length) { SplitLines(m_endLines, m_endNormalLines, length); }
