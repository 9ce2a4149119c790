// Numbers the distinct end points of edge lines so that the edge operations
// can match points by comparing integers instead of scanning every line.
// Points are equal exactly when their coordinates compare equal with ==, the
// same rule the point type itself uses.
#pragma once

#include <tessel/ts_point.h>

#include <bit>
#include <cstddef>
#include <cstdint>
#include <unordered_map>

namespace linvale::scene {

// Hashes the bit patterns of the coordinates. -0.0 == +0.0 although their
// bits differ, so zeros are folded to +0.0 first to keep equal points in one bucket.
struct ExactPointHash {
  std::size_t operator()(const TS_3dPoint& p) const noexcept {
    std::uint64_t h = 0;
    for (const double c : {p.x, p.y, p.z}) {
      h = mix(h ^ std::bit_cast<std::uint64_t>(c == 0.0 ? 0.0 : c));
    }
    return static_cast<std::size_t>(h);
  }

private:
  // Grid coordinates differ in a few high bits only; spreading them over
  // the whole word keeps the buckets even.
  static std::uint64_t mix(std::uint64_t h) noexcept {
    h += 0x9e3779b97f4a7c15ULL;
    h = (h ^ (h >> 30)) * 0xbf58476d1ce4e5b9ULL;
    h = (h ^ (h >> 27)) * 0x94d049bb133111ebULL;
    return h ^ (h >> 31);
  }
};

class PointIds {
public:
  static constexpr int kNone = -1;

  // Room for the end points of `lines` lines, so numbering never rehashes.
  explicit PointIds(int lines) { m_ids.reserve(2 * static_cast<std::size_t>(lines > 0 ? lines : 0)); }

  // The point's number, a new one for a point not seen before. A point with
  // a NaN coordinate equals no point, not even itself, so it gets kNone.
  int add(const TS_3dPoint& p) {
    if (!matchable(p)) {
      return kNone;
    }
    return m_ids.try_emplace(p, static_cast<int>(m_ids.size())).first->second;
  }

  int find(const TS_3dPoint& p) const {
    const auto it = m_ids.find(p);
    return it == m_ids.end() ? kNone : it->second;
  }

  int count() const { return static_cast<int>(m_ids.size()); }

private:
  static bool matchable(const TS_3dPoint& p) { return p == p; }

  std::unordered_map<TS_3dPoint, int, ExactPointHash> m_ids;
};

}  // namespace linvale::scene
