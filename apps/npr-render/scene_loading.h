// Filling the renderer's scene from a model file or from the built-in
// sample part.
#pragma once

#include <optional>
#include <string>

#include <linvale/scene.h>
#include <tessel/ts_model.h>
#include <tessel/ts_point.h>
#include <tessel/ts_viewport.h>

namespace npr_render {

struct LoadedScene {
  std::string error;                  // empty on success
  std::optional<TS_Viewport> camera;  // the model's first camera
  TS_3dVector up{0.0, 0.0, 1.0};      // the model's up direction
  // Wall time spent reading the file and meshing its surfaces (CAD files).
  double readSeconds = 0.0;
  double meshSeconds = 0.0;
};

// Every object of the model becomes a node, every light of the model a light
// of the scene. `limits` give the meshing of CAD files, its progress and
// how to stop it; their processor seconds may be shortened from the
// environment.
LoadedScene LoadModelScene(const std::string& path, Scene& scene, TS_ModelReadLimits limits);

// The sample part, or with `triangles` above 0 a grid of parts of about that
// many triangles.
LoadedScene LoadSampleScene(Scene& scene, int triangles);

}  // namespace npr_render
