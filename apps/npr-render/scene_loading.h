// Filling the renderer's scene from a model file or from the built-in
// sample part.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <linvale/node.h>
#include <linvale/scene.h>
#include <tessel/ts_color.h>
#include <tessel/ts_mesh.h>
#include <tessel/ts_model.h>
#include <tessel/ts_point.h>
#include <tessel/ts_viewport.h>

namespace npr_render {

struct LoadedScene {
  std::string error;                  // empty on success
  std::optional<TS_Viewport> camera;  // the model's first camera
  TS_3dVector up{0.0, 0.0, 1.0};      // the model's up direction
  std::vector<std::string> names;     // of the objects, node by node
  // Wall time spent reading the file and meshing its surfaces (CAD files).
  double readSeconds = 0.0;
  double meshSeconds = 0.0;
};

// A model file being read. Model files come from anywhere, so the importer
// runs in a child process unless the user vouches for the file
// (NPR_RENDER_TRUSTED_MODEL=1); it starts at once and works while the
// program prepares the render.
class ModelLoading {
public:
  // `limits` give the meshing of CAD files, its progress and how to stop
  // it; their processor seconds may be shortened from the environment. What
  // they call must stay valid until Finish.
  ModelLoading(std::string path, TS_ModelReadLimits limits);

  // Every object of the model becomes a node, every light of the model a
  // light of the scene.
  LoadedScene Finish(Scene& scene);

private:
  bool Read(TS_Model& model, TS_String& error);

  std::string mPath;
  TS_ModelReadLimits mLimits;
  std::unique_ptr<TS_IsolatedModelRead> mIsolated;  // null for a trusted file
};

// Appends `mesh` as a node that keeps only the mesh it draws, not a copy of
// the mesh as given; null when the mesh has nothing to draw.
Node* AppendDrawnMesh(Scene& scene, TS_Mesh&& mesh, TS_Color color);

// The sample part, or with `triangles` above 0 a grid of parts of about that
// many triangles.
LoadedScene LoadSampleScene(Scene& scene, int triangles);

}  // namespace npr_render
