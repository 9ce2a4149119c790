#include <linvale/node.h>

#include "edge_lines.h"
#include "point_ids.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <unordered_set>
#include <vector>

using linvale::scene::Lines;
using linvale::scene::PointIds;

namespace {

// The crease lines as unordered pairs of end points, so that a silhouette
// line is looked up in constant time whichever way round it runs.
class CreaseEdges {
public:
  explicit CreaseEdges(const Lines& creases) : m_points(creases.Count()) {
    m_edges.reserve(static_cast<std::size_t>(creases.Count()));
    for (const TS_Line& crease : creases) {
      const int from = m_points.add(crease.from);
      const int to = m_points.add(crease.to);
      if (from != PointIds::kNone && to != PointIds::kNone) {
        m_edges.insert(key(from, to));
      }
    }
  }

  bool contains(const TS_Line& line) const {
    const int from = m_points.find(line.from);
    const int to = m_points.find(line.to);
    return from != PointIds::kNone && to != PointIds::kNone && m_edges.contains(key(from, to));
  }

private:
  static std::uint64_t key(int a, int b) {
    const auto [low, high] = std::minmax(a, b);
    return (static_cast<std::uint64_t>(low) << 32) | static_cast<std::uint32_t>(high);
  }

  PointIds m_points;
  std::unordered_set<std::uint64_t> m_edges;
};

// Drops the flagged elements, keeping the order of the rest. Elements past
// the end of `flagged` stay: a normal collection longer than its lines keeps
// its surplus, as removing by index would.
void RemoveFlagged(Lines& collection, const std::vector<bool>& flagged) {
  int kept = 0;
  for (int i = 0; i < collection.Count(); ++i) {
    if (static_cast<std::size_t>(i) < flagged.size() && flagged[static_cast<std::size_t>(i)]) {
      continue;
    }
    collection[kept++] = collection[i];
  }
  while (collection.Count() > kept) {
    collection.Remove(collection.Count() - 1);
  }
}

}  // namespace

void Node::DeleteDuplicatedEdges() {
  if (m_disLines.Count() == 0 || m_silLines.Count() == 0) {
    return;
  }
  try {
    const CreaseEdges creases(m_disLines);
    std::vector<bool> duplicated(static_cast<std::size_t>(m_silLines.Count()));
    for (int i = 0; i < m_silLines.Count(); ++i) {
      duplicated[static_cast<std::size_t>(i)] = creases.contains(m_silLines[i]);
    }
    // Nothing below allocates, so the two collections cannot end up filtered differently.
    RemoveFlagged(m_silLines, duplicated);
    RemoveFlagged(m_silNormalLines, duplicated);
  } catch (...) {
    // Out of memory before anything was removed: the silhouettes stay as they were.
  }
}
