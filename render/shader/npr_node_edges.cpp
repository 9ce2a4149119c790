#include <linvale/npr_node_edges.h>

#include <numbers>

double NprCreaseAngle(double thresholdDegree) { return (180.0 - thresholdDegree) * std::numbers::pi / 180.0; }

void NprComputeNodeEdges(Node& node, const TS_Viewport& viewport, double thresholdDegree) {
  node.ComputeEdges(viewport.CameraDirection(), viewport.CameraLocation(), viewport.Projection(),
                    NprCreaseAngle(thresholdDegree));
  // As large as the mesh again, and nothing after the edges reads it: it
  // would sit beside the picture's buffers through the drawing.
  node.m_mesh.ReleaseTopology();
}

void NprChainNodeEdges(Node& node, NprEdgeSwitches switches) {
  if (switches.silhouettes && switches.creases) {
    node.DeleteDuplicatedEdges();
  }
  for (NprEdgeKind kind : {NprEdgeKind::Silhouette, NprEdgeKind::Crease, NprEdgeKind::Border}) {
    if (switches.Draws(kind)) {
      (node.*NprMembersOf(kind).chain)();
    }
  }
}
