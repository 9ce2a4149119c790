#include "scene_loading.h"

#include <linvale/scene_builder.h>
#include <tessel/ts_model.h>
#include <tessel/ts_sample_part.h>

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace npr_render {

namespace {

// Processor seconds the importer may spend on one file; tests shorten it.
unsigned ImportSeconds(unsigned otherwise) {
  const char* text = std::getenv("NPR_RENDER_IMPORT_SECONDS");
  unsigned seconds = 0;
  if (text == nullptr || std::from_chars(text, text + std::strlen(text), seconds).ec != std::errc() || seconds == 0) {
    return otherwise;
  }
  return seconds;
}

bool IsTrusted() {
  const char* trusted = std::getenv("NPR_RENDER_TRUSTED_MODEL");
  return trusted != nullptr && std::strcmp(trusted, "1") == 0;
}

}  // namespace

// A node keeps the mesh it was given beside the one it draws, for hosts
// that show or export the model as it came; the shaders read only the drawn
// one, and on a model of a million triangles the given one is tens of
// megabytes nobody reads again.
Node* AppendDrawnMesh(Scene& scene, TS_Mesh&& mesh, TS_Color color) {
  Node* node = NprAppendMeshNode(scene, std::move(mesh), color);
  if (node != nullptr) {
    node->setOriginalMesh(TS_Mesh());
  }
  return node;
}

ModelLoading::ModelLoading(std::string path, TS_ModelReadLimits limits)
    : mPath(std::move(path)), mLimits(std::move(limits)) {
  mLimits.seconds = ImportSeconds(mLimits.seconds);
  if (!IsTrusted()) {
    mIsolated = std::make_unique<TS_IsolatedModelRead>(mPath.c_str(), mLimits);
  }
}

bool ModelLoading::Read(TS_Model& model, TS_String& error) {
  return mIsolated ? mIsolated->Finish(model, error) : model.Read(mPath.c_str(), error, mLimits);
}

LoadedScene ModelLoading::Finish(Scene& scene) {
  const std::string& path = mPath;
  LoadedScene loaded;
  TS_Model model;
  TS_String error;
  if (!Read(model, error)) {
    loaded.error = error;
    return loaded;
  }
  for (const TS_String& warning : model.m_warnings) {
    std::fprintf(stderr, "npr-render: %s: %s\n", path.c_str(), warning.c_str());
  }
  loaded.readSeconds = model.m_readSeconds;
  loaded.meshSeconds = model.m_meshSeconds;
  if (model.m_invalidFaces > 0) {
    std::fprintf(stderr, "npr-render: %s: %llu faces with invalid vertices dropped\n", path.c_str(),
                 static_cast<unsigned long long>(model.m_invalidFaces));
  }
  // Moving each mesh on keeps one copy fewer of a large model in memory.
  for (TS_ModelObject& object : model.m_objects) {
    AppendDrawnMesh(scene, std::move(object.mesh), object.color);
    loaded.names.push_back(object.name);
  }
  if (scene.NodesCount() == 0) {
    loaded.error = path + ": the model holds no surface to draw";
    return loaded;
  }
  for (const TS_Light& light : model.m_lights) {
    scene.Lights().Append(light);
  }
  if (!model.m_views.IsEmpty()) {
    loaded.camera = model.m_views[0];
  }
  loaded.up = model.m_up;
  return loaded;
}

LoadedScene LoadSampleScene(Scene& scene, int triangles) {
  auto objects = triangles > 0 ? TS_LargeSampleModel(static_cast<std::size_t>(triangles)) : TS_SamplePart();
  LoadedScene loaded;
  for (TS_SampleObject& object : objects) {
    AppendDrawnMesh(scene, std::move(object.mesh), object.color);
    loaded.names.push_back(object.name);
  }
  return loaded;
}

}  // namespace npr_render
