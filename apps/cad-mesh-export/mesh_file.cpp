#include "mesh_file.h"

#include "ai_mesh.h"

#include <assimp/Exporter.hpp>
#include <assimp/material.h>
#include <assimp/scene.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace cad_mesh_export {
namespace {

std::optional<std::string> ExporterFormat(const std::string& path) {
  std::string extension = std::filesystem::path(path).extension().string();
  std::ranges::transform(extension, extension.begin(), [](unsigned char c) { return std::tolower(c); });
  if (extension == ".obj") return "obj";
  if (extension == ".stl") return "stlb";
  if (extension == ".glb") return "glb2";
  return std::nullopt;
}

std::unique_ptr<aiMaterial> ToAiMaterial(TS_Color color, unsigned index) {
  auto material = std::make_unique<aiMaterial>();
  const aiString name("colour " + std::to_string(index));
  material->AddProperty(&name, AI_MATKEY_NAME);
  const aiColor4D colour(static_cast<float>(color.FractionRed()), static_cast<float>(color.FractionGreen()),
                         static_cast<float>(color.FractionBlue()), 1.0f);
  material->AddProperty(&colour, 1, AI_MATKEY_COLOR_DIFFUSE);
  material->AddProperty(&colour, 1, AI_MATKEY_BASE_COLOR);
  return material;
}

// One material per colour, one mesh and one node per object. The objects
// are in world coordinates already, so every node keeps the identity.
void Fill(aiScene& scene, const TS_Model& model) {
  std::map<std::uint32_t, unsigned> materialOfColor;
  std::vector<TS_Color> colors;
  std::vector<std::unique_ptr<aiMesh>> meshes;
  for (const TS_ModelObject& object : model.m_objects) {
    const auto [entry, added] = materialOfColor.try_emplace(object.color, static_cast<unsigned>(colors.size()));
    if (added) {
      colors.push_back(object.color);
    }
    meshes.push_back(mesh_to_assimp::ToAiMesh(object.mesh, object.name.c_str(), entry->second));
  }

  scene.mNumMaterials = static_cast<unsigned>(colors.size());
  auto materials = std::make_unique<aiMaterial*[]>(colors.size());
  for (std::size_t i = 0; i < colors.size(); ++i) {
    materials[i] = ToAiMaterial(colors[i], static_cast<unsigned>(i)).release();
  }
  scene.mMaterials = materials.release();

  scene.mNumMeshes = static_cast<unsigned>(meshes.size());
  auto meshArray = std::make_unique<aiMesh*[]>(meshes.size());
  auto root = std::make_unique<aiNode>("Model");
  std::vector<aiNode*> children;
  for (std::size_t i = 0; i < meshes.size(); ++i) {
    auto node = std::make_unique<aiNode>(meshes[i]->mName.C_Str());
    node->mNumMeshes = 1;
    node->mMeshes = std::make_unique<unsigned[]>(1).release();
    node->mMeshes[0] = static_cast<unsigned>(i);
    children.push_back(node.release());
    meshArray[i] = meshes[i].release();
  }
  scene.mMeshes = meshArray.release();
  root->addChildren(static_cast<unsigned>(children.size()), children.data());
  scene.mRootNode = root.release();
}

}  // namespace

std::string WriteMeshFile(const TS_Model& model, const std::string& path) {
  const std::optional<std::string> format = ExporterFormat(path);
  if (!format) {
    return path + ": not a mesh file name (.obj, .stl or .glb)";
  }
  if (model.m_objects.Count() == 0) {
    return "the model has no objects to write";
  }
  aiScene scene;
  Fill(scene, model);
  Assimp::Exporter exporter;
  if (exporter.Export(&scene, *format, path) != aiReturn_SUCCESS) {
    return path + ": " + exporter.GetErrorString();
  }
  return {};
}

}  // namespace cad_mesh_export
