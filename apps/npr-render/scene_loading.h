// Filling the renderer's scene from a model file or from the built-in
// sample part.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include <linvale/scene.h>
#include <tessel/ts_point.h>
#include <tessel/ts_viewport.h>

namespace npr_render {

struct LoadedScene {
  std::string error;                  // empty on success
  std::optional<TS_Viewport> camera;  // the model's first camera
  TS_3dVector up{0.0, 0.0, 1.0};      // the model's up direction
  std::vector<std::string> names;     // of the objects, node by node
};

// Every object of the model becomes a node, every light of the model a light
// of the scene.
LoadedScene LoadModelScene(const std::string& path, Scene& scene);

// The sample part, or with `triangles` above 0 a grid of parts of about that
// many triangles.
LoadedScene LoadSampleScene(Scene& scene, int triangles);

}  // namespace npr_render
