#include "scene_loading.h"

#include <linvale/scene_builder.h>
#include <tessel/ts_model.h>
#include <tessel/ts_sample_part.h>

#include <filesystem>
#include <system_error>
#include <utility>

#include "memory_budget.h"

namespace npr_render {

LoadedScene LoadModelScene(const std::string& path, Scene& scene) {
  LoadedScene loaded;
  std::error_code sizeError;
  const std::uintmax_t fileSize = std::filesystem::file_size(path, sizeError);
  ScopedMemoryBudget budget(ScopedMemoryBudget::ForModelFile(sizeError ? 0 : fileSize));
  TS_Model model;
  TS_String error;
  if (!model.Read(path.c_str(), error)) {
    loaded.error = error;
    return loaded;
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
