// Conversions from the importer's scene records to the toolkit's types.
// Every function takes the world transform of the node that places the
// record, so results are in world coordinates.
#pragma once

#include <assimp/scene.h>

#include <tessel/ts_color.h>
#include <tessel/ts_light.h>
#include <tessel/ts_material.h>
#include <tessel/ts_mesh.h>
#include <tessel/ts_viewport.h>

namespace tessel_detail {

// The triangles of `mesh` placed by `world`. Faces that are not triangles
// or touch a point that is not finite are left out; normals are kept when
// the file supplied them.
TS_Mesh ConvertMesh(const aiMesh& mesh, const aiMatrix4x4& world);

// Diffuse colour (the base colour for physically based materials), or
// neutral grey when the material has none.
TS_Color DiffuseColor(const aiMaterial& material);
TS_Material ConvertMaterial(const aiMaterial& material);

// False for light kinds the renderer cannot use (ambient, area).
bool ConvertLight(const aiLight& light, const aiMatrix4x4& world, TS_Light& result);

bool ConvertCamera(const aiCamera& camera, const aiMatrix4x4& world, TS_Viewport& result);

}  // namespace tessel_detail
