// The pencil and water-colour face fill: three passes over all nodes, each
// drawing the faces with a grain image recoloured for the node's material,
// projected onto the picture plane, and modulated by the light at each
// vertex. Pass 1 lays the base with depth writes, passes 2 and 3 blend the
// lit and the shaded layers onto exactly the same pixels.
#pragma once

#include <linvale/scene.h>
#include <tessel/ts_point.h>

#include <array>
#include <functional>
#include <string>

namespace linvale::sketch {

enum class FillGrain { Pencil, WaterColour };

struct TexturedFillSetup {
  FillGrain grain = FillGrain::Pencil;
  // Folder holding "pl1.bmp".."pl3.bmp" and "wc1.bmp".."wc3.bmp", with a
  // trailing separator.
  std::string imageFolder;
  // The camera's projection matrix (column-major), which carries eye
  // coordinates to the picture plane.
  std::array<double, 16> projection{};
  std::array<double, 3> background{};
  TS_3dPoint cameraLocation;
};

// Progress hooks: after node k (counted from 1) of a pass, and after each
// pass. Either may throw to abandon the fill; GL textures and images are
// released on the way out.
struct TexturedFillHooks {
  std::function<void(unsigned node)> afterNode;
  std::function<void()> afterPass;
};

// Draws the fill with the GL context current and the camera set. A grain
// image that cannot be read leaves its pass untextured (the faces still
// take the vertex colours and fill the depth buffer).
void DrawTexturedFill(const Scene& scene, const TexturedFillSetup& setup, const TexturedFillHooks& hooks);

}  // namespace linvale::sketch
