#include "topology_builder.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <vector>

namespace tessel::detail {
namespace {

std::uint64_t Mix(std::uint64_t x) {
  x ^= x >> 30;
  x *= 0xbf58476d1ce4e5b9ULL;
  x ^= x >> 27;
  x *= 0x94d049bb133111ebULL;
  x ^= x >> 31;
  return x;
}

// Power of two with room for `count` entries at a load of one half at most.
std::size_t TableSize(std::size_t count) { return std::bit_ceil(2 * count + 2); }

struct PositionKey {
  std::uint32_t x, y, z;
  bool operator==(const PositionKey&) const = default;
};

// Exact float bits, except that -0 and +0 compare equal as numbers and must
// therefore land in the same vertex.
std::uint32_t CoordinateBits(float value) { return value == 0.0f ? 0u : std::bit_cast<std::uint32_t>(value); }

PositionKey KeyOf(const TS_3fPoint& p) { return {CoordinateBits(p.x), CoordinateBits(p.y), CoordinateBits(p.z)}; }

std::uint64_t HashOf(const PositionKey& key) {
  return Mix(Mix((static_cast<std::uint64_t>(key.x) << 32) | key.y) ^ key.z);
}

// Counts per bucket become offsets: offsets[i] is where bucket i starts, and
// offsets.back() the total.
std::vector<int> OffsetsFromCounts(const std::vector<int>& counts) {
  std::vector<int> offsets(counts.size() + 1, 0);
  for (std::size_t i = 0; i < counts.size(); ++i) {
    offsets[i + 1] = offsets[i] + counts[i];
  }
  return offsets;
}

int SideCount(const TS_MeshFace& face) { return face.IsTriangle() ? 3 : 4; }

// Calls `visit(a, b, face)` for every side of every face in face order, with
// a < b the side's top vertices; sides whose ends share a position are no
// edge and are skipped.
template <typename Visit>
void ForEachSide(const TS_MeshTopology& topology, std::span<const TS_MeshFace> faces, Visit visit) {
  for (std::size_t f = 0; f < faces.size(); ++f) {
    const TS_MeshFace& face = faces[f];
    const int corners = SideCount(face);
    for (int side = 0; side < corners; ++side) {
      int a = topology.MeshVertexTopVertex(face.vi[side]);
      int b = topology.MeshVertexTopVertex(face.vi[(side + 1) % corners]);
      if (a != b) {
        visit(std::min(a, b), std::max(a, b), static_cast<int>(f));
      }
    }
  }
}

// Edges found so far, hashed by their other end within a small open-address
// region per lower top vertex. Regions lie in vertex order, so the lookups of
// neighbouring faces touch neighbouring memory instead of a random slot of
// one table the size of the whole mesh, and a vertex shared by very many
// edges gets a region of its own size, so lookups stay constant time.
class EdgeRegions {
public:
  EdgeRegions(const TS_MeshTopology& topology, std::span<const TS_MeshFace> faces) {
    std::vector<int> sidesFrom(static_cast<std::size_t>(topology.TopVertexCount()), 0);
    ForEachSide(topology, faces, [&](int a, int, int) {
      ++sidesFrom[static_cast<std::size_t>(a)];
      ++mSides;
    });
    mRegionStart.resize(sidesFrom.size() + 1, 0);
    for (std::size_t a = 0; a < sidesFrom.size(); ++a) {
      // One slot more than the sides from `a` keeps a slot free to end a search.
      const std::size_t size = sidesFrom[a] == 0 ? 0 : std::bit_ceil(static_cast<std::size_t>(sidesFrom[a]) + 1);
      mRegionStart[a + 1] = mRegionStart[a] + size;
    }
    mSlots.assign(mRegionStart.back(), Slot{});
  }

  std::size_t SideCount() const { return mSides; }

  // The edge from `a` to `b`, given the number `nextEdge` if it is new.
  std::pair<std::size_t, bool> Find(int a, int b, int nextEdge) {
    const std::size_t start = mRegionStart[static_cast<std::size_t>(a)];
    const std::size_t mask = mRegionStart[static_cast<std::size_t>(a) + 1] - start - 1;
    std::size_t slot = Mix(static_cast<std::uint32_t>(b)) & mask;
    while (mSlots[start + slot].other >= 0 && mSlots[start + slot].other != b) {
      slot = (slot + 1) & mask;
    }
    Slot& found = mSlots[start + slot];
    if (found.other >= 0) {
      return {static_cast<std::size_t>(found.edge), false};
    }
    found = {b, nextEdge};
    return {static_cast<std::size_t>(nextEdge), true};
  }

private:
  struct Slot {
    int other = -1;
    int edge = -1;
  };
  std::size_t mSides = 0;
  std::vector<std::size_t> mRegionStart;
  std::vector<Slot> mSlots;
};

}  // namespace

std::shared_ptr<const TS_MeshTopology> TopologyBuilder::Build(std::span<const TS_3fPoint> vertices,
                                                              std::span<const TS_MeshFace> faces) {
  auto topology = std::make_shared<TS_MeshTopology>();
  MergeVertices(*topology, vertices);
  CollectEdges(*topology, faces);
  return topology;
}

void TopologyBuilder::MergeVertices(TS_MeshTopology& topology, std::span<const TS_3fPoint> vertices) {
  const std::size_t mask = TableSize(vertices.size()) - 1;
  std::vector<int> slots(mask + 1, -1);
  std::vector<PositionKey> topKeys;
  topology.m_meshVertexToTop.resize(vertices.size());
  for (std::size_t v = 0; v < vertices.size(); ++v) {
    const PositionKey key = KeyOf(vertices[v]);
    std::size_t slot = HashOf(key) & mask;
    while (slots[slot] >= 0 && !(topKeys[static_cast<std::size_t>(slots[slot])] == key)) {
      slot = (slot + 1) & mask;
    }
    if (slots[slot] < 0) {
      slots[slot] = static_cast<int>(topKeys.size());
      topKeys.push_back(key);
      topology.m_topVertexPoints.emplace_back(vertices[v]);
    }
    topology.m_meshVertexToTop[v] = slots[slot];
  }

  std::vector<int> counts(topKeys.size(), 0);
  for (int top : topology.m_meshVertexToTop) {
    ++counts[static_cast<std::size_t>(top)];
  }
  topology.m_topVertexOffsets = OffsetsFromCounts(counts);
  topology.m_topVertexMeshVertices.resize(vertices.size());
  std::vector<int> next(topology.m_topVertexOffsets.begin(), topology.m_topVertexOffsets.end() - 1);
  for (std::size_t v = 0; v < vertices.size(); ++v) {
    const auto top = static_cast<std::size_t>(topology.m_meshVertexToTop[v]);
    topology.m_topVertexMeshVertices[static_cast<std::size_t>(next[top]++)] = static_cast<int>(v);
  }
}

void TopologyBuilder::CollectEdges(TS_MeshTopology& topology, std::span<const TS_MeshFace> faces) {
  EdgeRegions regions(topology, faces);
  std::vector<int> lastFace;  // per edge, so a face that repeats a side is listed once
  std::vector<int> faceCounts;
  std::vector<std::pair<int, int>> edgeFacePairs;  // (edge, face) in face order
  edgeFacePairs.reserve(regions.SideCount());

  ForEachSide(topology, faces, [&](int a, int b, int f) {
    const auto [edge, isNew] = regions.Find(a, b, topology.TopEdgeCount());
    if (isNew) {
      topology.m_edgeVertices.push_back({a, b});
      lastFace.push_back(-1);
      faceCounts.push_back(0);
    }
    if (lastFace[edge] != f) {
      lastFace[edge] = f;
      ++faceCounts[edge];
      edgeFacePairs.emplace_back(static_cast<int>(edge), f);
    }
  });

  topology.m_edgeFaceOffsets = OffsetsFromCounts(faceCounts);
  topology.m_edgeFaces.resize(edgeFacePairs.size());
  std::vector<int> next(topology.m_edgeFaceOffsets.begin(), topology.m_edgeFaceOffsets.end() - 1);
  for (const auto& [edge, face] : edgeFacePairs) {
    topology.m_edgeFaces[static_cast<std::size_t>(next[static_cast<std::size_t>(edge)]++)] = face;
  }
}

}  // namespace tessel::detail

std::span<const int> TS_MeshTopology::TopVertexMeshVertices(int topVertex) const {
  const auto begin = static_cast<std::size_t>(m_topVertexOffsets[static_cast<std::size_t>(topVertex)]);
  const auto end = static_cast<std::size_t>(m_topVertexOffsets[static_cast<std::size_t>(topVertex) + 1]);
  return std::span<const int>(m_topVertexMeshVertices).subspan(begin, end - begin);
}

std::span<const int> TS_MeshTopology::TopEdgeFaces(int edge) const {
  const auto begin = static_cast<std::size_t>(m_edgeFaceOffsets[static_cast<std::size_t>(edge)]);
  const auto end = static_cast<std::size_t>(m_edgeFaceOffsets[static_cast<std::size_t>(edge) + 1]);
  return std::span<const int>(m_edgeFaces).subspan(begin, end - begin);
}
