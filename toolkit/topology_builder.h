// Builds a mesh's topology in expected linear time: vertices are merged
// through a hash of their exact positions and edges through a hash of their
// vertex pairs, so no step compares all vertices or all edges with each other.
#pragma once

#include <tessel/ts_mesh.h>

#include <memory>
#include <span>

namespace tessel::detail {

class TopologyBuilder {
public:
  // Faces must refer to existing vertices.
  static std::shared_ptr<const TS_MeshTopology> Build(std::span<const TS_3fPoint> vertices,
                                                      std::span<const TS_MeshFace> faces);

private:
  static void MergeVertices(TS_MeshTopology& topology, std::span<const TS_3fPoint> vertices);
  static void CollectEdges(TS_MeshTopology& topology, std::span<const TS_MeshFace> faces);
};

}  // namespace tessel::detail
