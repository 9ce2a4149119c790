// assimp's glTF 2.0 writer keeps a camera's node but drops the camera, so
// the preview model gets its camera written into the file afterwards.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace preview_model {

struct GlbPerspective {
  double verticalFieldOfView;  // full angle, radians
  double aspect;
  double nearDistance;
  double farDistance;
};

// Adds `camera` to the binary glTF file `glb` and attaches it to the node
// named `nodeName`. False (and `glb` unchanged) when the file is not a
// binary glTF with a JSON chunk or has no such node.
bool AddGlbCamera(std::vector<std::uint8_t>& glb, const std::string& nodeName, const GlbPerspective& camera);

}  // namespace preview_model
