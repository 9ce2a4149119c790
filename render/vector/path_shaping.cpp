#include "path_shaping.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <map>
#include <optional>
#include <utility>

namespace linvale {

namespace {

bool SamePoint(const NprPagePoint& a, const NprPagePoint& b) {
  return std::hypot(a.x - b.x, a.y - b.y) <= kSamePointDistance;
}

double DistanceToLine(const NprPagePoint& p, const NprPagePoint& a, const NprPagePoint& b) {
  const double dx = b.x - a.x;
  const double dy = b.y - a.y;
  const double length = std::hypot(dx, dy);
  if (length == 0.0) {
    return std::hypot(p.x - a.x, p.y - a.y);
  }
  return std::abs(dx * (p.y - a.y) - dy * (p.x - a.x)) / length;
}

// Endpoints are matched through a grid of the same-point distance; a key
// names a cell.
using CellKey = std::pair<std::int64_t, std::int64_t>;

CellKey CellOf(const NprPagePoint& p) {
  return {std::llround(p.x / kSamePointDistance), std::llround(p.y / kSamePointDistance)};
}

struct EndIndex {
  // Open paths of one stroke by the cell of each of their two ends.
  std::multimap<CellKey, std::size_t> ends;

  void Add(const NprVectorPath& path, std::size_t index) {
    ends.emplace(CellOf(path.points.front()), index);
    ends.emplace(CellOf(path.points.back()), index);
  }
  void Remove(const NprVectorPath& path, std::size_t index) {
    for (const NprPagePoint& end : {path.points.front(), path.points.back()}) {
      auto [first, last] = ends.equal_range(CellOf(end));
      for (auto it = first; it != last; ++it) {
        if (it->second == index) {
          ends.erase(it);
          break;
        }
      }
    }
  }
  // A path other than `self` with an end at `point`.
  std::optional<std::size_t> Find(const NprPagePoint& point, std::size_t self,
                                  const std::vector<NprVectorPath>& paths) const {
    auto [first, last] = ends.equal_range(CellOf(point));
    for (auto it = first; it != last; ++it) {
      const NprVectorPath& other = paths[it->second];
      if (it->second != self && other.stroke == paths[self].stroke &&
          (SamePoint(other.points.front(), point) || SamePoint(other.points.back(), point))) {
        return it->second;
      }
    }
    return std::nullopt;
  }
};

// Appends `tail` after `head`, which ends where `tail` starts or ends.
void AppendPath(std::vector<NprPagePoint>& head, std::vector<NprPagePoint> tail) {
  if (!SamePoint(head.back(), tail.front())) {
    std::reverse(tail.begin(), tail.end());
  }
  head.insert(head.end(), tail.begin() + 1, tail.end());
}

void GrowAtEnd(std::vector<NprVectorPath>& paths, std::size_t index, EndIndex& ends, std::vector<bool>& taken) {
  while (!SamePoint(paths[index].points.front(), paths[index].points.back())) {
    const auto next = ends.Find(paths[index].points.back(), index, paths);
    if (!next) {
      return;
    }
    ends.Remove(paths[*next], *next);
    ends.Remove(paths[index], index);
    AppendPath(paths[index].points, std::move(paths[*next].points));
    taken[*next] = true;
    ends.Add(paths[index], index);
  }
}

void Reverse(NprVectorPath& path) { std::reverse(path.points.begin(), path.points.end()); }

}  // namespace

std::vector<NprPagePoint> DropNearlyCollinear(std::span<const NprPagePoint> points, double tolerance) {
  std::vector<NprPagePoint> distinct;
  for (const NprPagePoint& p : points) {
    if (distinct.empty() || !SamePoint(distinct.back(), p)) {
      distinct.push_back(p);
    }
  }
  if (distinct.size() < 3) {
    return distinct;
  }
  // Douglas and Peucker's split at the farthest point, kept on a stack
  // instead of recursing so long curves cannot exhaust the call stack.
  std::vector<bool> keep(distinct.size(), false);
  keep.front() = keep.back() = true;
  std::vector<std::pair<std::size_t, std::size_t>> spans{{0, distinct.size() - 1}};
  while (!spans.empty()) {
    const auto [first, last] = spans.back();
    spans.pop_back();
    double farthest = -1.0;
    std::size_t at = first;
    for (std::size_t i = first + 1; i < last; ++i) {
      const double distance = DistanceToLine(distinct[i], distinct[first], distinct[last]);
      if (distance > farthest) {
        farthest = distance;
        at = i;
      }
    }
    if (farthest > tolerance) {
      keep[at] = true;
      spans.emplace_back(first, at);
      spans.emplace_back(at, last);
    }
  }
  std::vector<NprPagePoint> kept;
  for (std::size_t i = 0; i < distinct.size(); ++i) {
    if (keep[i]) {
      kept.push_back(distinct[i]);
    }
  }
  return kept;
}

void JoinTouchingPaths(std::vector<NprVectorPath>& paths) {
  EndIndex index;
  for (std::size_t i = 0; i < paths.size(); ++i) {
    if (paths[i].stroke.joinTouching && paths[i].points.size() >= 2) {
      index.Add(paths[i], i);
    }
  }
  std::vector<bool> taken(paths.size(), false);
  for (std::size_t i = 0; i < paths.size(); ++i) {
    if (taken[i] || !paths[i].stroke.joinTouching || paths[i].points.size() < 2) {
      continue;
    }
    GrowAtEnd(paths, i, index, taken);
    // Grow the other way by turning the path round.
    index.Remove(paths[i], i);
    Reverse(paths[i]);
    index.Add(paths[i], i);
    GrowAtEnd(paths, i, index, taken);
    Reverse(paths[i]);
    index.Remove(paths[i], i);
  }
  std::vector<NprVectorPath> joined;
  for (std::size_t i = 0; i < paths.size(); ++i) {
    if (!taken[i]) {
      joined.push_back(std::move(paths[i]));
    }
  }
  paths = std::move(joined);
}

void CloseLoop(NprVectorPath& path) {
  if (path.points.size() >= 4 && SamePoint(path.points.front(), path.points.back())) {
    path.points.pop_back();
    path.closed = true;
  }
}

}  // namespace linvale
