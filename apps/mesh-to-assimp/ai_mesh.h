// A toolkit mesh as the mesh of an assimp scene, for the programs that
// write mesh files through assimp's exporters.
#pragma once

#include <assimp/mesh.h>

#include <tessel/ts_mesh.h>

#include <memory>

namespace mesh_to_assimp {

// The triangles of `mesh` with its vertex normals when it has them, named
// `name` and drawn in the scene's material `material`.
std::unique_ptr<aiMesh> ToAiMesh(const TS_Mesh& mesh, const char* name, unsigned material);

}  // namespace mesh_to_assimp
