// The host's scene and camera in the renderer's terms: one node per mesh,
// prepared the way the shaders need it, world point lights, and a viewport.
#pragma once

#include <quorra/geometry.h>
#include <quorra/scene.h>

#include <linvale/scene.h>
#include <tessel/ts_viewport.h>

#include <windows.h>

namespace quorra {

// The view's camera and frustum with a screen port of `target` pixels.
TS_Viewport ViewportFromView(const Npr::View& view, SIZE target);

// Appends `mesh` as a node: its faces triangulated, face normals computed,
// vertex normals kept (unitized) or computed (clearing the node's two
// normal flags) and the material from colour 0. Faces that break the face
// rules or name missing vertices are left out. False, with nothing added,
// for a mesh with no face left or when memory runs out.
bool AppendMeshNode(::Scene& scene, const Npr::Ge::Mesh& mesh);

// Every mesh and light of `source`, and the camera-fixed default light
// (stored in world coordinates for `viewport`) when `source` brings none.
void ConvertScene(const Npr::Scene& source, const TS_Viewport& viewport, ::Scene& target);

}  // namespace quorra
