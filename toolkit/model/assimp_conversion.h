// Conversions from the importer's scene records to the toolkit's types.
// Every function takes the world transform of the node that places the
// record, so results are in world coordinates.
#pragma once

#include <assimp/scene.h>

#include <cstdint>
#include <string>

#include <tessel/ts_color.h>
#include <tessel/ts_light.h>
#include <tessel/ts_material.h>
#include <tessel/ts_mesh.h>
#include <tessel/ts_viewport.h>

#include "neutral_grey.h"

namespace tessel::detail {

// The triangles of `mesh` placed by `world`. Faces that are not triangles
// or touch a point that is not finite are left out, the latter counted in
// `invalidFaces`; normals are kept when the file supplied them.
TS_Mesh ConvertMesh(const aiMesh& mesh, const aiMatrix4x4& world, std::uint64_t& invalidFaces);

// Diffuse colour (the base colour for physically based materials), or
// neutral grey when the material has none.
TS_Color DiffuseColor(const aiMaterial& material);
TS_Material ConvertMaterial(const aiMaterial& material);

// The colour an object is drawn in: its material's, or, when the importer
// made the material up, the mean of the mesh's vertex colours or else the
// neutral grey. `material` may be null.
TS_Color ObjectColor(const aiMesh& mesh, const aiMaterial* material);

// False for light kinds the renderer cannot use (ambient, area).
bool ConvertLight(const aiLight& light, const aiMatrix4x4& world, TS_Light& result);

// What a camera's fields mean differs between the importer's file formats
// (and versions), whatever its documentation says.
enum class FieldOfView {
  FullHorizontal,       // the whole horizontal opening
  HalfHorizontal,       // from the centre line to one border
  VerticalTimesAspect,  // the vertical opening multiplied by the aspect
};

struct CameraConventions {
  // The camera's own position repeats its node's translation.
  bool positionFromNodeOnly = false;
  FieldOfView fieldOfView = FieldOfView::FullHorizontal;
};

// `extension` in lower case with its dot, as ".gltf".
CameraConventions CameraConventionsFor(const std::string& extension);

bool ConvertCamera(const aiCamera& camera, const aiMatrix4x4& world, const CameraConventions& conventions,
                   TS_Viewport& result);

}  // namespace tessel::detail
