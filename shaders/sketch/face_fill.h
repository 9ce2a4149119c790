// The two untextured ways of drawing a node's faces (its mesh is
// triangulated): as occluders in the background colour, which hide what
// lies behind the model and fill the depth buffer so hidden edges fail the
// depth test, or flat in the material's diffuse colour, unlit.
#pragma once

#include <linvale/node.h>

#include <array>

namespace linvale::sketch {

void DrawOccludingFaces(const Node& node, const std::array<double, 3>& background);

void DrawMaterialFaces(const Node& node);

}  // namespace linvale::sketch
