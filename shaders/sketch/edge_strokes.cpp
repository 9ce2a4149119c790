#include "edge_strokes.h"

#include <linvale/npr_random.h>

#include <algorithm>
#include <ctime>

namespace linvale::sketch {

StrokeFrame StrokeFrameFor(const SketchSettings& settings, NprEdgeKind kind, const TS_Viewport& viewport,
                           int imageWidth) {
  StrokeFrame frame;
  // Creases are subdivided half as finely as outlines.
  frame.resampleFactor = kind == NprEdgeKind::Crease ? settings.windowInt / 2 : settings.windowInt;
  frame.strokesPerPolyline = settings.randWavy != 0 ? settings.numLines : 1;
  frame.imageWidth = imageWidth;
  frame.cameraLocation = viewport.CameraLocation();
  frame.cameraTarget = frame.cameraLocation + viewport.CameraDirection();
  return frame;
}

bool SetUpStrokeLook(SketchStroke& stroke, const SketchSettings& settings, NprRenderSettings::AntialiasStyle antialias,
                     const std::array<double, 3>& background) {
  stroke.SetAntialiasFactor(antialias == NprRenderSettings::AntialiasBest ? 2 : 1);
  const bool blend = settings.textureFill != 0 && settings.textureMode != 0;
  stroke.SetBlend(blend);
  stroke.SetBackground(background);
  return blend;
}

void SeedStrokes(const SketchSettings& settings) {
  NprSrand(settings.bseedRandom != 0 ? static_cast<unsigned>(settings.seedRandom)
                                     : static_cast<unsigned>(std::time(nullptr)));
}

void StrokeNodeEdges(SketchStroke& stroke, const Node& node, NprEdgeKind kind, const StrokeFrame& frame,
                     const std::function<bool()>& keepGoing) {
  const NprEdgeKindMembers& members = NprMembersOf(kind);
  const auto& polylines = node.*members.polylines;
  const auto& normals = node.*members.normalPolylines;
  const int count = std::min(polylines.Count(), normals.Count());
  for (int i = 0; i < count; ++i) {
    stroke.Resample(polylines[i], normals[i], frame.resampleFactor);
    stroke.SetMaterial(node.m_material);
    stroke.Prepare(frame.imageWidth, frame.cameraLocation, frame.cameraTarget);
    for (int line = 0; line < frame.strokesPerPolyline; ++line) {
      stroke.DrawStroke();
    }
    stroke.Clear();
    if (!keepGoing()) {
      break;
    }
  }
}

}  // namespace linvale::sketch
