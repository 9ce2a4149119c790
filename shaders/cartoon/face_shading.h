// The faces of one node in the Cartoon's hard bands: a per-node colour ramp
// as a 1-D texture, indexed by each vertex's light value.
#pragma once

#include "shading_ramp.h"

#include <linvale/node.h>
#include <tessel/ts_array.h>
#include <tessel/ts_light.h>
#include <tessel/ts_point.h>

namespace linvale::cartoon {

struct FaceShadingInputs {
  const CartoonSettings& settings;
  RampColor ambient;
  TS_3dPoint cameraLocation;
  const TS_ClassArray<TS_Light>& lights;
};

// Draws the node's triangles with the current GL matrices and depth state
// and leaves 1-D texturing off and no texture bound.
void ShadeNodeFaces(const Node& node, const FaceShadingInputs& inputs);

}  // namespace linvale::cartoon
