#include "ai_mesh.h"

#include <algorithm>

namespace mesh_to_assimp {
namespace {

aiVector3D ToAi(const TS_3fPoint& point) { return {point.x, point.y, point.z}; }
aiVector3D ToAi(const TS_3fVector& vector) { return {vector.x, vector.y, vector.z}; }

}  // namespace

// assimp frees what its scene points at with delete[], so arrays are handed
// over from owners of that kind.
std::unique_ptr<aiMesh> ToAiMesh(const TS_Mesh& mesh, const char* name, unsigned material) {
  auto result = std::make_unique<aiMesh>();
  result->mName = name;
  result->mPrimitiveTypes = aiPrimitiveType_TRIANGLE;
  result->mMaterialIndex = material;
  result->mNumVertices = static_cast<unsigned>(mesh.VertexCount());
  auto vertices = std::make_unique<aiVector3D[]>(result->mNumVertices);
  std::ranges::transform(mesh.Vertices(), vertices.get(), [](const TS_3fPoint& p) { return ToAi(p); });
  result->mVertices = vertices.release();
  if (mesh.HasVertexNormals()) {
    auto normals = std::make_unique<aiVector3D[]>(result->mNumVertices);
    std::ranges::transform(mesh.VertexNormals(), normals.get(), [](const TS_3fVector& n) { return ToAi(n); });
    result->mNormals = normals.release();
  }
  result->mNumFaces = static_cast<unsigned>(mesh.FaceCount());
  auto faces = std::make_unique<aiFace[]>(result->mNumFaces);
  for (int i = 0; i < mesh.FaceCount(); ++i) {
    aiFace& face = faces[static_cast<std::size_t>(i)];
    face.mNumIndices = 3;
    const TS_MeshFace& corners = mesh.Face(i);
    face.mIndices = std::make_unique<unsigned[]>(3).release();
    std::copy(corners.vi, corners.vi + 3, face.mIndices);
  }
  result->mFaces = faces.release();
  return result;
}

}  // namespace mesh_to_assimp
