// make-preview-model: writes the model the shaders draw their previews of,
// "OrvellePreviewModel.glb": the built-in sample part as one mesh, the
// colours of its bodies as materials, and a perspective camera that frames
// it in the square preview (added to the file after assimp's writer, which
// leaves cameras out). Run at build time; the file is installed into
// the shared styles folder.
//
//   make-preview-model OUTPUT.glb
#include <assimp/Exporter.hpp>
#include <assimp/scene.h>

#include <linvale/npr_preview_scene.h>
#include <linvale/scene_builder.h>
#include <tessel/ts_sample_part.h>

#include "ai_mesh.h"
#include "glb_camera.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace preview_model {
namespace {

// Coarser than the default part: the preview is 160 pixels wide and is
// read by every shader as it loads.
constexpr int kCircleSegments = 32;

// The bodies merged into one mesh: the preview draws the model's first
// object, which must therefore be the whole part.
TS_Mesh MergedPart(const std::vector<TS_SampleObject>& bodies) {
  TS_Mesh part;
  for (const TS_SampleObject& body : bodies) {
    part.Append(body.mesh);
  }
  part.ConvertQuadsToTriangles();
  return part;
}

std::unique_ptr<aiMaterial> ToAiMaterial(const TS_SampleObject& body) {
  auto material = std::make_unique<aiMaterial>();
  const aiString name(body.name);
  material->AddProperty(&name, AI_MATKEY_NAME);
  const aiColor4D colour(body.color.Red() / 255.0f, body.color.Green() / 255.0f, body.color.Blue() / 255.0f, 1.0f);
  material->AddProperty(&colour, 1, AI_MATKEY_COLOR_DIFFUSE);
  material->AddProperty(&colour, 1, AI_MATKEY_BASE_COLOR);
  return material;
}

// The camera's frame as the node's transformation: camera X, Y and Z as
// columns, the location as translation; the camera looks down its -Z.
aiMatrix4x4 CameraPlacement(const TS_Viewport& viewport) {
  TS_3dPoint location;
  TS_3dVector x, y, z;
  viewport.GetCameraFrame(location, x, y, z);
  return aiMatrix4x4(static_cast<float>(x.x), static_cast<float>(y.x), static_cast<float>(z.x),
                     static_cast<float>(location.x), static_cast<float>(x.y), static_cast<float>(y.y),
                     static_cast<float>(z.y), static_cast<float>(location.y), static_cast<float>(x.z),
                     static_cast<float>(y.z), static_cast<float>(z.z), static_cast<float>(location.z), 0.0f, 0.0f, 0.0f,
                     1.0f);
}

GlbPerspective Perspective(const TS_Viewport& viewport) {
  double left, right, bottom, top, nearDistance, farDistance;
  viewport.GetFrustum(&left, &right, &bottom, &top, &nearDistance, &farDistance);
  // A square picture: the opening angle is the same both ways.
  return {2.0 * std::atan(top / nearDistance), 1.0, nearDistance, farDistance};
}

bool WriteFile(const char* path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(file.flush());
}

bool FrameCamera(const TS_Mesh& part, TS_Viewport& viewport) {
  TS_3dPoint min, max;
  return part.GetBoundingBox(min, max) &&
         NprFitViewport(viewport, min, max, NprNamedView::Iso, TS::perspective_view, kNprPreviewSize, kNprPreviewSize);
}

std::unique_ptr<aiNode> Child(const char* name, const aiMatrix4x4& placement) {
  auto node = std::make_unique<aiNode>(name);
  node->mTransformation = placement;
  return node;
}

// The model written to `path`: 0, else 1 after saying why not.
int WritePreviewModel(const char* path) {
  const std::vector<TS_SampleObject> bodies = TS_SamplePart(kCircleSegments);
  const TS_Mesh part = MergedPart(bodies);
  TS_Viewport viewport;
  if (!FrameCamera(part, viewport)) {
    std::fprintf(stderr, "make-preview-model: the sample part cannot be framed\n");
    return 1;
  }

  aiScene scene;
  scene.mNumMeshes = 1;
  scene.mMeshes = new aiMesh* [1] { mesh_to_assimp::ToAiMesh(part, "Sample part", 0).release() };
  scene.mNumMaterials = static_cast<unsigned>(bodies.size());
  scene.mMaterials = new aiMaterial*[bodies.size()];
  for (std::size_t i = 0; i < bodies.size(); ++i) {
    scene.mMaterials[i] = ToAiMaterial(bodies[i]).release();
  }

  auto root = std::make_unique<aiNode>("Preview");
  auto partNode = Child("Sample part", aiMatrix4x4());
  partNode->mNumMeshes = 1;
  partNode->mMeshes = new unsigned[1]{0};
  auto cameraNode = Child("Preview camera", CameraPlacement(viewport));
  aiNode* children[] = {partNode.release(), cameraNode.release()};
  root->addChildren(2, children);
  scene.mRootNode = root.release();

  Assimp::Exporter exporter;
  const aiExportDataBlob* blob = exporter.ExportToBlob(&scene, "glb2");
  if (blob == nullptr) {
    std::fprintf(stderr, "make-preview-model: %s\n", exporter.GetErrorString());
    return 1;
  }
  const auto* data = static_cast<const std::uint8_t*>(blob->data);
  std::vector<std::uint8_t> glb(data, data + blob->size);
  if (!AddGlbCamera(glb, "Preview camera", Perspective(viewport))) {
    std::fprintf(stderr, "make-preview-model: the exported file has no camera node\n");
    return 1;
  }
  if (!WriteFile(path, glb)) {
    std::fprintf(stderr, "make-preview-model: cannot write %s\n", path);
    return 1;
  }
  return 0;
}

}  // namespace
}  // namespace preview_model

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make-preview-model OUTPUT.glb\n");
    return 2;
  }
  return preview_model::WritePreviewModel(argv[1]);
}
