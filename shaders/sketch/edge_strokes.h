// How the strokes of one kind of edge are laid over a scene, shared by the
// picture and the vector drawing so both draw the same strokes from the same
// random sequence: every chained polyline of a node is resampled and drawn
// the style's number of times.
#pragma once

#include "sketch_settings.h"
#include "sketch_stroke.h"

#include <linvale/node.h>
#include <linvale/npr_edge_kinds.h>
#include <linvale/npr_render_settings.h>
#include <tessel/ts_viewport.h>

#include <array>
#include <functional>

namespace linvale::sketch {

struct StrokeFrame {
  int resampleFactor = 1;
  int strokesPerPolyline = 1;
  int imageWidth = 0;
  TS_3dPoint cameraLocation;
  TS_3dPoint cameraTarget;
};

// `imageWidth` is the width the picture is drawn at.
StrokeFrame StrokeFrameFor(const SketchSettings& settings, NprEdgeKind kind, const TS_Viewport& viewport,
                           int imageWidth);

// The stroke's look for the render: doubled fixed width for the best
// antialiasing, half-transparent over a textured fill, fading towards
// `background`. Returns whether strokes are blended.
bool SetUpStrokeLook(SketchStroke& stroke, const SketchSettings& settings, NprRenderSettings::AntialiasStyle antialias,
                     const std::array<double, 3>& background);

// Seeds the random sequence the strokes draw from: the style's seed when it
// asks for one, else the clock.
void SeedStrokes(const SketchSettings& settings);

// Strokes every polyline of `kind` on `node`. `keepGoing` is asked after
// each polyline; false ends the node there.
void StrokeNodeEdges(SketchStroke& stroke, const Node& node, NprEdgeKind kind, const StrokeFrame& frame,
                     const std::function<bool()>& keepGoing);

}  // namespace linvale::sketch
