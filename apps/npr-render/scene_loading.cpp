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

// Model files come from anywhere, so the importer runs in a child process
// unless the user vouches for the file.
bool ReadModel(const std::string& path, TS_Model& model, TS_String& error, TS_ModelReadLimits& limits) {
  const char* trusted = std::getenv("NPR_RENDER_TRUSTED_MODEL");
  if (trusted != nullptr && std::strcmp(trusted, "1") == 0) {
    return model.Read(path.c_str(), error, limits);
  }
  limits.seconds = ImportSeconds(limits.seconds);
  return model.ReadIsolated(path.c_str(), error, limits);
}

}  // namespace

LoadedScene LoadModelScene(const std::string& path, Scene& scene, TS_ModelReadLimits limits) {
  LoadedScene loaded;
  TS_Model model;
  TS_String error;
  if (!ReadModel(path, model, error, limits)) {
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
    NprAppendMeshNode(scene, std::move(object.mesh), object.color);
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
  for (TS_SampleObject& object : objects) {
    NprAppendMeshNode(scene, std::move(object.mesh), object.color);
  }
  return {};
}

}  // namespace npr_render
