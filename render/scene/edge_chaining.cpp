#include <linvale/node.h>

#include "edge_lines.h"

using linvale_detail::Lines;
using linvale_detail::Polylines;

namespace {

// The chain under construction: its points, their normals, and its end.
struct Chain {
  TS_3dPointArray points;
  TS_3dPointArray normals;
  TS_3dPoint end;

  void seed(const TS_Line& line, const TS_Line& normal) {
    points.Append(line.from);
    points.Append(line.to);
    normals.Append(normal.from);
    normals.Append(normal.to);
    end = line.to;
  }

  void extend(const TS_3dPoint& point, const TS_3dPoint& normal) {
    points.Append(point);
    normals.Append(normal);
    end = point;
  }

  void moveTo(Polylines& polylines, Polylines& normalPolylines) {
    if (points.Count() > 0) {
      polylines.Append(points);
      points.Empty();
    }
    if (normals.Count() > 0) {
      normalPolylines.Append(normals);
      normals.Empty();
    }
  }
};

// One pass over the lines, growing the chain at its end only. After a line is
// taken the pass moves on to the next index, so the line that slid into the
// freed slot waits for the next pass; this keeps the order in which junctions
// are resolved fixed. True when the chain grew.
bool growOnePass(Chain& chain, Lines& lines, Lines& normals) {
  bool grown = false;
  for (int i = 0; i < lines.Count(); ++i) {
    if (chain.end == lines[i].from) {
      chain.extend(lines[i].to, normals[i].to);
    } else if (chain.end == lines[i].to) {
      chain.extend(lines[i].from, normals[i].from);
    } else {
      continue;
    }
    linvale_detail::removeLine(lines, normals, i);
    grown = true;
  }
  return grown;
}

// Moves the lines into polylines; quadratic in the number of lines, which
// per node stays small enough not to need an index.
void chainLines(Lines& lines, Lines& normals, Polylines& polylines, Polylines& normalPolylines) {
  if (lines.Count() != normals.Count()) {
    return;  // collections out of step: chaining would read normals that are not there
  }
  try {
    Chain chain;
    bool grown = false;
    while (lines.Count() > 0) {
      if (!grown) {
        chain.moveTo(polylines, normalPolylines);
        chain.seed(lines[0], normals[0]);
        linvale_detail::removeLine(lines, normals, 0);
      }
      grown = growOnePass(chain, lines, normals);
    }
    chain.moveTo(polylines, normalPolylines);
  } catch (...) {
    // Out of memory: what was chained so far stays.
  }
}

}  // namespace

void Node::ProcessSilhouettes() { chainLines(m_silLines, m_silNormalLines, m_silPolylines, m_silNormalPolylines); }

void Node::ProcessDis() { chainLines(m_disLines, m_disNormalLines, m_disPolylines, m_disNormalPolylines); }

void Node::ProcessEnd() { chainLines(m_endLines, m_endNormalLines, m_endPolylines, m_endNormalPolylines); }
