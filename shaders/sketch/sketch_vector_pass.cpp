#include "sketch_vector_pass.h"

#include "edge_strokes.h"
#include "sketch_stroke.h"
#include "vector_stroke_canvas.h"

#include <linvale/npr_edge_collections_cleanup.h>
#include <linvale/npr_node_edges.h>
#include <linvale/npr_scene_nodes.h>

namespace linvale::sketch {

namespace {

std::array<double, 3> ColourFractions(COLORREF colour) {
  return {GetRValue(colour) / 255.0, GetGValue(colour) / 255.0, GetBValue(colour) / 255.0};
}

}  // namespace

void DrawSketchVector(const SketchSettings& settings, const TS_Viewport& viewport, const NprRenderSettings& render,
                      Scene* scene, NprVectorCanvas& canvas) {
  const NprEdgeCollectionsCleanup cleanup(scene);
  const NprEdgeSwitches switches = NprEdgeSwitchesOf(settings);
  if (!switches.Any()) {
    return;
  }
  for (Node& node : NprSceneNodes(scene)) {
    NprComputeNodeEdges(node, viewport, settings.thresholdDegree);
    NprChainNodeEdges(node, switches);
  }
  VectorStrokeCanvas strokeCanvas(canvas);
  SketchStroke stroke(settings, strokeCanvas);
  SetUpStrokeLook(stroke, settings, render.GetAntialiasStyle(), ColourFractions(render.GetBackgroundColor()));
  SeedStrokes(settings);
  const auto always = [] { return true; };
  for (NprEdgeKind kind : {NprEdgeKind::Silhouette, NprEdgeKind::Crease, NprEdgeKind::Border}) {
    if (!switches.Draws(kind)) {
      continue;
    }
    const StrokeFrame frame = StrokeFrameFor(settings, kind, viewport, render.GetImageSize().cx);
    std::size_t index = 0;
    for (const Node& node : NprSceneNodes(scene)) {
      canvas.SelectNode(index++);
      StrokeNodeEdges(stroke, node, kind, frame, always);
    }
  }
}

}  // namespace linvale::sketch
