#include <tessel/ts_model.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdint>
#include <exception>
#include <filesystem>
#include <set>
#include <new>
#include <string>
#include <utility>
#include <vector>

#include <assimp/Importer.hpp>
#include <assimp/metadata.h>
#include <assimp/postprocess.h>
#include <assimp/scene.h>

#include "../brep/cad_formats.h"
#include "assimp_conversion.h"
#include "cad_module.h"
#include "fast_readers.h"
#include "importer_reading.h"
#include "model_file_check.h"

namespace {

using tessel::detail::CameraConventions;
using tessel::detail::CameraConventionsFor;
using tessel::detail::CheckModelFile;
using tessel::detail::ConvertCamera;
using tessel::detail::ConvertLight;
using tessel::detail::ConvertMaterial;
using tessel::detail::ConvertMesh;
using tessel::detail::ObjectColor;

// Points and lines carry no surface; they are dropped during import. The
// importer's own search for invalid data is left out: it drops a whole mesh
// for one point that is not finite, where only the faces on it need to go.
constexpr unsigned kImportSteps = aiProcess_Triangulate | aiProcess_SortByPType | aiProcess_ValidateDataStructure;

std::string LowerCaseExtension(const char* path) {
  std::string extension = std::filesystem::path(reinterpret_cast<const char8_t*>(path)).extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return extension;
}

class SceneWalker {
public:
  SceneWalker(const aiScene& scene, TS_Model& model, const CameraConventions& cameras)
      : mScene(scene), mModel(model), mCameraConventions(cameras) {}

  // Depth first, parents before children, children in file order. The
  // pending nodes are kept on the heap: files nest nodes deeper than the
  // stack would take.
  void Walk(const aiNode& root) {
    std::vector<std::pair<const aiNode*, aiMatrix4x4>> pending{{&root, aiMatrix4x4()}};
    while (!pending.empty()) {
      const auto [node, parent] = pending.back();
      pending.pop_back();
      const aiMatrix4x4 world = parent * node->mTransformation;
      for (unsigned i = 0; i < node->mNumMeshes; ++i) {
        AddObject(*node, node->mMeshes[i], world);
      }
      AddLightsAndCamerasNamed(node->mName, world);
      for (unsigned i = node->mNumChildren; i-- > 0;) {
        if (node->mChildren[i] != nullptr) {
          pending.emplace_back(node->mChildren[i], world);
        }
      }
    }
  }

private:
  void AddObject(const aiNode& node, unsigned meshIndex, const aiMatrix4x4& world) {
    if (meshIndex >= mScene.mNumMeshes || mScene.mMeshes[meshIndex] == nullptr) {
      return;
    }
    const aiMesh& source = *mScene.mMeshes[meshIndex];
    if ((source.mPrimitiveTypes & aiPrimitiveType_TRIANGLE) == 0) {
      return;
    }
    TS_ModelObject object;
    object.mesh = ConvertMesh(source, world, mModel.m_invalidFaces);
    if (object.mesh.FaceCount() == 0) {
      return;
    }
    object.name = source.mName.length > 0 ? source.mName.C_Str() : node.mName.C_Str();
    const bool hasMaterial =
        source.mMaterialIndex < mScene.mNumMaterials && mScene.mMaterials[source.mMaterialIndex] != nullptr;
    object.material = hasMaterial ? static_cast<int>(source.mMaterialIndex) : -1;
    object.color = ObjectColor(source, hasMaterial ? mScene.mMaterials[source.mMaterialIndex] : nullptr);
    mModel.m_objects.Append(std::move(object));
  }

  // Lights and cameras are placed by the node that carries their name.
  void AddLightsAndCamerasNamed(const aiString& name, const aiMatrix4x4& world) {
    for (unsigned i = 0; i < mScene.mNumLights; ++i) {
      const aiLight* light = mScene.mLights[i];
      TS_Light converted;
      if (light != nullptr && light->mName == name && ConvertLight(*light, world, converted)) {
        mModel.m_lights.Append(converted);
      }
    }
    for (unsigned i = 0; i < mScene.mNumCameras; ++i) {
      const aiCamera* camera = mScene.mCameras[i];
      TS_Viewport converted;
      if (camera != nullptr && camera->mName == name && ConvertCamera(*camera, world, mCameraConventions, converted)) {
        mModel.m_views.Append(converted);
      }
    }
  }

  const aiScene& mScene;
  TS_Model& mModel;
  CameraConventions mCameraConventions;
};

TS_3dVector UpDirection(const aiScene& scene, const std::string& extension) {
  std::int32_t axis = -1;
  std::int32_t sign = 1;
  if (scene.mMetaData != nullptr && scene.mMetaData->Get("UpAxis", axis) && axis >= 0 && axis <= 2) {
    scene.mMetaData->Get("UpAxisSign", sign);
    const double direction = sign < 0 ? -1.0 : 1.0;
    return {axis == 0 ? direction : 0.0, axis == 1 ? direction : 0.0, axis == 2 ? direction : 0.0};
  }
  // Formats of CAD, 3-D printing and Blender keep their z up on import;
  // the importer turns the others to y up.
  static const std::set<std::string> kZUp = {".stl", ".3mf", ".amf", ".blend"};
  return kZUp.count(extension) != 0 ? TS_3dVector(0.0, 0.0, 1.0) : TS_3dVector(0.0, 1.0, 0.0);
}

// The forms the direct readers know skip the importer; the rest, and
// anything they decline, goes through it.
bool ReadDirectly(const char* path, TS_Model& model) {
  const std::string extension = LowerCaseExtension(path);
  if (extension == ".obj") {
    return tessel::detail::ReadObjDirectly(path, model);
  }
  if (extension == ".stl") {
    return tessel::detail::ReadStlDirectly(path, model);
  }
  return false;
}

}  // namespace

namespace tessel::detail {

bool ReadWithImporter(const char* path, TS_Model& model, TS_String& error) {
  Assimp::Importer importer;
  importer.SetPropertyInteger(AI_CONFIG_PP_SBP_REMOVE, aiPrimitiveType_POINT | aiPrimitiveType_LINE);
  const aiScene* scene = importer.ReadFile(path, kImportSteps);
  if (scene == nullptr || scene->mRootNode == nullptr) {
    const std::string reason = importer.GetErrorString() != nullptr ? importer.GetErrorString() : "";
    // The importer turns a failed allocation into this text.
    if (reason == std::bad_alloc().what()) {
      error = std::string(path) + ": needs more memory than can be had (a damaged file declaring huge counts?)";
    } else {
      error = std::string(path) + ": not a readable model (" + (reason.empty() ? "unknown format" : reason) + ")";
    }
    return false;
  }
  for (unsigned i = 0; i < scene->mNumMaterials; ++i) {
    model.m_materials.Append(scene->mMaterials[i] != nullptr ? ConvertMaterial(*scene->mMaterials[i]) : TS_Material());
  }
  const std::string extension = LowerCaseExtension(path);
  model.m_up = UpDirection(*scene, extension);
  SceneWalker(*scene, model, CameraConventionsFor(extension)).Walk(*scene->mRootNode);
  if (model.m_objects.IsEmpty()) {
    error = std::string(path) + ": the model holds no surface to draw";
    return false;
  }
  return true;
}

}  // namespace tessel::detail

bool TS_Model::Read(const char* path, TS_String& error, const TS_ModelReadLimits& limits) {
  Destroy();
  error.clear();
  if (path == nullptr || *path == '\0') {
    error = "no model file given";
    return false;
  }
  if (!CheckModelFile(path, error)) {
    return false;
  }
  try {
    tessel::detail::CadFormat format;
    const auto start = std::chrono::steady_clock::now();
    const bool cad = tessel::detail::CadFormatOf(path, format);
    const bool read = cad ? tessel::detail::CadModule::ReadModel(path, limits, *this, error)
                          : ReadDirectly(path, *this) || tessel::detail::ReadWithImporter(path, *this, error);
    if (!cad) {
      m_readSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    if (read) {
      if (!limits.keepBreps) {
        for (TS_ModelObject& object : m_objects) {
          object.brep.reset();
        }
      }
      return true;
    }
  } catch (const std::bad_alloc&) {
    error = std::string(path) + ": needs more memory than can be had";
  } catch (const std::exception& e) {
    error = std::string(path) + ": reading failed (" + e.what() + ")";
  }
  Destroy();
  return false;
}

bool TS_Model::GetBoundingBox(TS_3dPoint& min, TS_3dPoint& max) const {
  bool any = false;
  for (const TS_ModelObject& object : m_objects) {
    any = object.mesh.GetBoundingBox(min, max, any);
  }
  return any;
}

void TS_Model::Destroy() {
  m_up = TS_3dVector(0.0, 0.0, 1.0);
  m_objects.Destroy();
  m_materials.Destroy();
  m_lights.Destroy();
  m_views.Destroy();
  m_invalidFaces = 0;
  m_warnings.Destroy();
  m_readSeconds = 0.0;
  m_meshSeconds = 0.0;
}
