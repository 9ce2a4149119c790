#include "cartoon_vector_pass.h"

#include "outline_drawing.h"
#include "outline_kinds.h"
#include "shading_ramp.h"

#include <linvale/npr_edge_collections_cleanup.h>
#include <linvale/npr_node_edges.h>
#include <linvale/npr_scene_nodes.h>
#include <linvale/npr_shader_support.h>

#include <set>
#include <span>
#include <tuple>

namespace linvale::cartoon {

namespace {

TS_ClassArray<TS_Line> Node::*NormalLinesOf(NprEdgeKind kind) {
  switch (kind) {
    case NprEdgeKind::Silhouette: return &Node::m_silNormalLines;
    case NprEdgeKind::Crease: return &Node::m_disNormalLines;
    case NprEdgeKind::Border: break;
  }
  return &Node::m_endNormalLines;
}

using PointKey = std::tuple<double, double, double>;
using LineKey = std::pair<PointKey, PointKey>;

// The same key for a line and its reverse; points compare exactly, as the
// edge code makes shared ends bit-identical.
LineKey KeyOf(const TS_Line& line) {
  PointKey from{line.from.x, line.from.y, line.from.z};
  PointKey to{line.to.x, line.to.y, line.to.z};
  return from < to ? LineKey{from, to} : LineKey{to, from};
}

double LineScale(const NprRenderSettings& settings) {
  return settings.GetAntialiasStyle() == NprRenderSettings::AntialiasBest ? 2.0 : 1.0;
}

void ComputeAndChain(const CartoonSettings& cartoon, const TS_Viewport& viewport, Scene* scene) {
  const NprEdgeSwitches switches = NprEdgeSwitchesOf(cartoon);
  for (Node& node : NprSceneNodes(scene)) {
    NprComputeNodeEdges(node, viewport, cartoon.thresholdDegree);
    if (switches.silhouettes && switches.creases) {
      const NprEdgeKind shown = ShownKindOfSharedEdge(cartoon);
      const NprEdgeKind hidden = shown == NprEdgeKind::Crease ? NprEdgeKind::Silhouette : NprEdgeKind::Crease;
      DropSharedLines(node, hidden, shown);
    }
    for (const OutlineKind& kind : kOutlineKinds) {
      if (switches.Draws(kind.kind)) {
        (node.*NprMembersOf(kind.kind).chain)();
      }
    }
  }
}

void AddOutlines(const CartoonSettings& cartoon, const NprRenderSettings& settings, Scene* scene,
                 NprVectorCanvas& canvas) {
  const NprEdgeSwitches switches = NprEdgeSwitchesOf(cartoon);
  for (const OutlineKind& kind : kOutlineKinds) {
    if (!switches.Draws(kind.kind)) {
      continue;
    }
    const auto polylines = NprMembersOf(kind.kind).polylines;
    std::size_t index = 0;
    for (const Node& node : NprSceneNodes(scene)) {
      const OutlineColor colour =
          BlendOutlineColor(cartoon.*kind.color, node.m_material.Diffuse(), cartoon.*kind.towardsMaterial);
      NprVectorStroke stroke;
      stroke.width = DrawableLineWidth(cartoon.*kind.width) * LineScale(settings);
      stroke.colour = {colour.red, colour.green, colour.blue};
      stroke.joinTouching = true;
      canvas.SelectNode(index++);
      for (const TS_3dPointArray& polyline : node.*polylines) {
        canvas.AddPolyline(std::span<const TS_3dPoint>(polyline.Array(), static_cast<std::size_t>(polyline.Count())),
                           stroke);
      }
    }
  }
}

// Each face takes the band of its mean light value: in the picture the band
// may change inside a large face, here a face is one colour.
void AddFaces(const CartoonSettings& cartoon, const TS_Viewport& viewport, const NprRenderSettings& settings,
              Scene* scene, NprVectorCanvas& canvas) {
  if (scene == nullptr) {
    return;
  }
  const RampColor ambient = RampColorFrom(settings.GetAmbientLightColor());
  const TS_3dPoint camera = viewport.CameraLocation();
  for (const Node& node : NprSceneNodes(scene)) {
    const ShadingRamp ramp = BuildShadingRamp(cartoon, RampColorFrom(node.m_material.Diffuse()), ambient);
    const TS_Mesh& mesh = node.m_mesh;
    const bool smooth = NprUsesVertexNormals(node);
    for (int face = 0; face < mesh.FaceCount(); ++face) {
      const auto normals = NprFaceShadingNormals(mesh, face, camera, smooth);
      std::array<TS_3dPoint, 3> corners;
      double light = 0.0;
      for (int corner = 0; corner < 3; ++corner) {
        const TS_3fPoint& vertex = mesh.Vertex(mesh.Face(face).vi[corner]);
        corners[static_cast<std::size_t>(corner)] = TS_3dPoint(vertex.x, vertex.y, vertex.z);
        light += NprLightValue(vertex, normals[static_cast<std::size_t>(corner)], scene->Lights(), 0.0) / 3.0;
      }
      const RampColor& band = ramp[static_cast<std::size_t>(RampEntryFor(light))];
      canvas.AddFace(corners, {band.red, band.green, band.blue});
    }
  }
}

}  // namespace

NprEdgeKind ShownKindOfSharedEdge(const CartoonSettings& cartoon) {
  return DrawableLineWidth(cartoon.widthSil) > DrawableLineWidth(cartoon.widthDis) ? NprEdgeKind::Silhouette
                                                                                   : NprEdgeKind::Crease;
}

void DropSharedLines(Node& node, NprEdgeKind drop, NprEdgeKind keep) {
  std::set<LineKey> kept;
  for (const TS_Line& line : node.*NprMembersOf(keep).lines) {
    kept.insert(KeyOf(line));
  }
  auto& lines = node.*NprMembersOf(drop).lines;
  auto& normals = node.*NormalLinesOf(drop);
  TS_ClassArray<TS_Line> remainingLines;
  TS_ClassArray<TS_Line> remainingNormals;
  for (int i = 0; i < lines.Count(); ++i) {
    if (kept.contains(KeyOf(lines[i])) || i >= normals.Count()) {
      continue;
    }
    remainingLines.Append(lines[i]);
    remainingNormals.Append(normals[i]);
  }
  lines = std::move(remainingLines);
  normals = std::move(remainingNormals);
}

void DrawCartoonVector(const CartoonSettings& cartoon, const TS_Viewport& viewport, const NprRenderSettings& settings,
                       Scene* scene, NprVectorCanvas& canvas) {
  const NprEdgeCollectionsCleanup cleanup(scene);
  ComputeAndChain(cartoon, viewport, scene);
  AddOutlines(cartoon, settings, scene, canvas);
  if (canvas.WantsFills()) {
    AddFaces(cartoon, viewport, settings, scene, canvas);
  }
}

}  // namespace linvale::cartoon
