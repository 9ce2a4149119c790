#include <linvale/node.h>

#include "edge_lines.h"
#include "point_ids.h"

#include <cstddef>
#include <set>
#include <utility>
#include <vector>

using linvale::scene::Lines;
using linvale::scene::PointIds;
using linvale::scene::Polylines;

namespace {

constexpr int kNoLine = -1;

// The lines not chained yet. Chaining only ever takes lines out, so the
// ones left keep their original relative order and a line is named by its
// original index. For each end point the lines touching it are kept sorted,
// which turns "the next line in order that touches E" into one lookup
// instead of a scan.
class RemainingLines {
public:
  explicit RemainingLines(const Lines& lines) {
    const int count = lines.Count();
    m_ends.reserve(static_cast<std::size_t>(count));
    m_next.resize(static_cast<std::size_t>(count));
    m_previous.resize(static_cast<std::size_t>(count));
    PointIds points(count);
    for (int i = 0; i < count; ++i) {
      m_ends.push_back({points.add(lines[i].from), points.add(lines[i].to)});
      m_next[at(i)] = i + 1 < count ? i + 1 : kNoLine;
      m_previous[at(i)] = i > 0 ? i - 1 : kNoLine;
    }
    m_linesAt.resize(static_cast<std::size_t>(points.count()));
    for (int i = 0; i < count; ++i) {
      ForEachEnd(i, [&](int point) { m_linesAt[at(point)].insert(i); });
    }
    m_first = count > 0 ? 0 : kNoLine;
  }

  bool empty() const { return m_first == kNoLine; }
  int first() const { return m_first; }
  int after(int line) const { return m_next[at(line)]; }
  int fromPoint(int line) const { return m_ends[at(line)].from; }
  int toPoint(int line) const { return m_ends[at(line)].to; }

  // The first remaining line past `line` (from the start for kNoLine) with
  // an end at `point`; kNoLine when there is none.
  int NextTouching(int point, int line) const {
    if (point == PointIds::kNone) {
      return kNoLine;
    }
    const std::set<int>& touching = m_linesAt[at(point)];
    const auto it = touching.upper_bound(line);
    return it == touching.end() ? kNoLine : *it;
  }

  void remove(int line) {
    const int previous = m_previous[at(line)];
    const int next = m_next[at(line)];
    (previous == kNoLine ? m_first : m_next[at(previous)]) = next;
    if (next != kNoLine) {
      m_previous[at(next)] = previous;
    }
    ForEachEnd(line, [&](int point) { m_linesAt[at(point)].erase(line); });
  }

private:
  struct Ends {
    int from;
    int to;
  };

  static std::size_t at(int index) { return static_cast<std::size_t>(index); }

  template <class Visit>
  void ForEachEnd(int line, Visit&& visit) const {
    for (const int point : {m_ends[at(line)].from, m_ends[at(line)].to}) {
      if (point != PointIds::kNone) {
        visit(point);
      }
    }
  }

  std::vector<Ends> m_ends;
  std::vector<int> m_next;
  std::vector<int> m_previous;
  std::vector<std::set<int>> m_linesAt;
  int m_first = kNoLine;
};

// The chain under construction: its points, their normals, and the number
// of its end point.
struct Chain {
  TS_3dPointArray points;
  TS_3dPointArray normals;
  int end = PointIds::kNone;
};

Chain SeedChain(const Lines& lines, const Lines& normals, RemainingLines& remaining) {
  const int line = remaining.first();
  Chain chain;
  chain.points.Append(lines[line].from);
  chain.points.Append(lines[line].to);
  chain.normals.Append(normals[line].from);
  chain.normals.Append(normals[line].to);
  chain.end = remaining.toPoint(line);
  remaining.remove(line);
  return chain;
}

// Appends the far end of a line touching the chain's end; a line whose
// `from` matches is followed forwards even when its `to` matches too.
void ExtendChain(Chain& chain, const Lines& lines, const Lines& normals, const RemainingLines& remaining, int line) {
  if (remaining.fromPoint(line) == chain.end) {
    chain.points.Append(lines[line].to);
    chain.normals.Append(normals[line].to);
    chain.end = remaining.toPoint(line);
  } else {
    chain.points.Append(lines[line].from);
    chain.normals.Append(normals[line].from);
    chain.end = remaining.fromPoint(line);
  }
}

// One pass in line order, growing the chain at its end only. The lines are
// thought of as an array that closes up behind each line taken while the
// pass steps on, so the line right after a taken one is passed over until
// the next pass. This fixes which branch wins at a junction, and hosts rely
// on the resulting order. True when the chain grew.
bool GrowOnePass(Chain& chain, const Lines& lines, const Lines& normals, RemainingLines& remaining) {
  int line = remaining.NextTouching(chain.end, kNoLine);
  if (line == kNoLine) {
    return false;
  }
  while (line != kNoLine) {
    ExtendChain(chain, lines, normals, remaining, line);
    const int passedOver = remaining.after(line);
    remaining.remove(line);
    line = passedOver == kNoLine ? kNoLine : remaining.NextTouching(chain.end, passedOver);
  }
  return true;
}

// A chain is finished when a whole pass finds nothing to add; the next one
// starts from the first line left.
void BuildPolylines(const Lines& lines, const Lines& normals, Polylines& polylines, Polylines& normalPolylines) {
  RemainingLines remaining(lines);
  while (!remaining.empty()) {
    Chain chain = SeedChain(lines, normals, remaining);
    while (GrowOnePass(chain, lines, normals, remaining)) {
    }
    polylines.Append(std::move(chain.points));
    normalPolylines.Append(std::move(chain.normals));
  }
}

// Moving arrays into reserved room cannot fail, so the target collections
// either receive every polyline or stay as they were.
void AppendAll(Polylines& target, Polylines& normalTarget, Polylines& chained, Polylines& normalChained) {
  target.Reserve(target.Count() + chained.Count());
  normalTarget.Reserve(normalTarget.Count() + normalChained.Count());
  for (TS_3dPointArray& polyline : chained) {
    target.Append(std::move(polyline));
  }
  for (TS_3dPointArray& polyline : normalChained) {
    normalTarget.Append(std::move(polyline));
  }
}

void ChainLines(Lines& lines, Lines& normals, Polylines& polylines, Polylines& normalPolylines) {
  if (lines.Count() != normals.Count()) {
    return;  // collections out of step: chaining would read normals that are not there
  }
  try {
    Polylines chained;
    Polylines normalChained;
    BuildPolylines(lines, normals, chained, normalChained);
    AppendAll(polylines, normalPolylines, chained, normalChained);
    lines.Empty();
    normals.Empty();
  } catch (...) {
    // Out of memory: the lines stay unchained rather than half lost.
  }
}

}  // namespace

void Node::ProcessSilhouettes() { ChainLines(m_silLines, m_silNormalLines, m_silPolylines, m_silNormalPolylines); }

void Node::ProcessDis() { ChainLines(m_disLines, m_disNormalLines, m_disPolylines, m_disNormalPolylines); }

void Node::ProcessEnd() { ChainLines(m_endLines, m_endNormalLines, m_endPolylines, m_endNormalPolylines); }
