#include "scene_loading.h"

#include <linvale/scene_builder.h>
#include <tessel/ts_model.h>
#include <tessel/ts_sample_part.h>

#include <filesystem>
#include <system_error>
#include <utility>

#include "memory_budget.h"

namespace npr_render {

namespace {

// How much data reading the model may bring in: the file itself, and for
// glTF, whose buffers live in files of any name beside it, the whole folder.
std::uintmax_t ModelDataSize(const std::filesystem::path& path) {
  std::error_code error;
  std::uintmax_t size = std::filesystem::file_size(path, error);
  if (error) {
    return 0;
  }
  if (path.extension() == ".gltf") {
    for (const auto& entry : std::filesystem::directory_iterator(path.parent_path(), error)) {
      if (entry.is_regular_file(error) && entry.path() != path) {
        size += entry.file_size(error);
      }
    }
  }
  return size;
}

}  // namespace

LoadedScene LoadModelScene(const std::string& path, Scene& scene) {
  LoadedScene loaded;
  ScopedMemoryBudget budget(ScopedMemoryBudget::ForModelFile(ModelDataSize(path)));
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
