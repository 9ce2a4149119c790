// The scene a shader previews its styles on: the first object of the
// preview model with the model's materials, looked at through the model's
// first perspective camera.
#pragma once

#include <linvale/export.h>
#include <linvale/scene.h>
#include <tessel/ts_material.h>
#include <tessel/ts_model.h>
#include <tessel/ts_viewport.h>

// Side of the square preview picture in pixels, the size of every shader's
// stock picture too.
inline constexpr int kNprPreviewSize = 160;

// The name of the preview model in the styles folders.
inline constexpr char kNprPreviewModelName[] = "OrvellePreviewModel.glb";

// The material of a preview mesh the model has no material for.
LINVALE_API TS_Material NprDefaultPreviewMaterial();

// Adds the nodes of `model`'s first object to `scene`, mesh i taking
// material i. When the model has a perspective view, `camera` becomes the
// first one, fitted to the preview picture, and `hasCamera` true; otherwise
// both stay as they are. Returns whether a preview can be drawn: false for a
// model without objects or materials and for a first object that has
// neither triangles nor a boundary form to mesh.
LINVALE_API bool NprBuildPreviewScene(const TS_Model& model, Scene& scene, TS_Viewport& camera, bool& hasCamera);

// Reads the preview model from the first styles folder, user's, common or
// machine, where it can be opened; false when none has a readable one.
LINVALE_API bool NprReadPreviewModel(TS_Model& model);
