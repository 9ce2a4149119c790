// What a host needs to turn its own model into a render's input: nodes made
// from plain meshes, a light when the model brings none, and a camera that
// shows the whole model from a named direction.
#pragma once

#include <linvale/export.h>
#include <linvale/node.h>
#include <linvale/scene.h>
#include <tessel/ts_color.h>
#include <tessel/ts_defines.h>
#include <tessel/ts_mesh.h>
#include <tessel/ts_point.h>
#include <tessel/ts_viewport.h>

// Appends `mesh` to `scene` as a node ready for edge extraction: invalid
// faces and unused vertices removed, quads split into triangles, face normals
// and one unit vertex normal per vertex (computed where the mesh has none,
// which clears the node's two normal flags). The node keeps the mesh as
// handed over as its original mesh and takes `diffuse` as its colour.
// Returns the linked node, or null (and adds nothing) when no face is left.
LINVALE_API Node* NprAppendMeshNode(Scene& scene, const TS_Mesh& mesh, TS_Color diffuse);
// The same, moving the mesh into the node instead of copying it.
LINVALE_API Node* NprAppendMeshNode(Scene& scene, TS_Mesh&& mesh, TS_Color diffuse);

// The material a node of colour `diffuse` gets: ambient and diffuse are the
// colour, specular one and a half times it (at most full), emission half.
LINVALE_API TS_Material NprMaterialForColor(TS_Color diffuse);

// The light a scene without lights is rendered with: a directional light
// coming from above the viewer's left shoulder, fixed to the camera of
// `viewport` and stored in world coordinates.
LINVALE_API TS_Light NprDefaultLight(const TS_Viewport& viewport);

// Adds NprDefaultLight when the scene has no lights; true when it added one.
LINVALE_API bool NprAddDefaultLightIfNone(Scene& scene, const TS_Viewport& viewport);

// Axis-aligned box around the working meshes of all nodes; false for a
// scene without vertices.
LINVALE_API bool NprSceneBounds(const Scene& scene, TS_3dPoint& min, TS_3dPoint& max);

// Standard directions to look at a model from, z being up.
enum class NprNamedView { Iso, Front, Back, Left, Right, Top, Bottom };

// Parses "iso", "front", "back", "left", "right", "top" or "bottom".
LINVALE_API bool NprNamedViewFromName(const char* name, NprNamedView& view);
// The name NprNamedViewFromName reads.
LINVALE_API const char* NprNamedViewName(NprNamedView view);

// Sets up `viewport` so that the box fills a picture of `width` by `height`
// pixels with a small margin, seen from `view` with the given projection.
// The views are those of a model whose up direction is `up` (front looks
// along +y and top down -z when up is +z). False (and `viewport` unchanged)
// for a size below one pixel, a projection other than parallel or
// perspective, a box that is not finite or a zero `up`.
LINVALE_API bool NprFitViewport(TS_Viewport& viewport, const TS_3dPoint& min, const TS_3dPoint& max, NprNamedView view,
                                TS::view_projection projection, int width, int height,
                                const TS_3dVector& up = TS_3dVector(0.0, 0.0, 1.0));

// The same for the vertices of every node of `scene`, which frames the model
// itself rather than its box; false also for a scene without vertices.
LINVALE_API bool NprFitViewportToScene(TS_Viewport& viewport, const Scene& scene, NprNamedView view,
                                       TS::view_projection projection, int width, int height,
                                       const TS_3dVector& up = TS_3dVector(0.0, 0.0, 1.0));

// Moves the near and far planes of `viewport` so that the whole box lies
// between them, keeping the camera and, for a perspective camera, its
// opening angles. A camera read from a file often clips the model it came
// with. False (and nothing changed) when the box lies wholly behind a
// perspective camera or the camera frame is degenerate.
LINVALE_API bool NprFitDepthRange(TS_Viewport& viewport, const TS_3dPoint& min, const TS_3dPoint& max);

// True when some vertex of `scene` lands inside the picture of `viewport`,
// between its near and far planes. A camera read from a model file can look
// away from the model; a host then falls back to a fitted view.
LINVALE_API bool NprViewportSeesScene(const TS_Viewport& viewport, const Scene& scene);
