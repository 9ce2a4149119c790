#include "bench_support.h"

#include <linvale/npr_installed_host.h>
#include <linvale/npr_vector_render.h>
#include <linvale/npr_win32_owners.h>
#include <linvale/scene_builder.h>

#include <cstdlib>
#include <system_error>

namespace bench {
namespace {

// One node per object, the viewport fitted to an iso perspective view of
// them at `size`, and a default light when there is none.
void FillScene(Scene& scene, TS_Viewport& viewport, const std::vector<TS_SampleObject>& objects, SIZE size) {
  for (const TS_SampleObject& object : objects) {
    NprAppendMeshNode(scene, object.mesh, object.color);
  }
  TS_3dPoint min;
  TS_3dPoint max;
  NprSceneBounds(scene, min, max);
  NprFitViewport(viewport, min, max, NprNamedView::Iso, TS::perspective_view, size.cx, size.cy);
  NprAddDefaultLightIfNone(scene, viewport);
}

}  // namespace

PrivateHome::PrivateHome(const char* program) {
  std::string pattern = (std::filesystem::temp_directory_path() / (std::string(program) + "-XXXXXX")).string();
  if (mkdtemp(pattern.data()) == nullptr) {
    std::abort();
  }
  mFolder = pattern;
  for (const char* variable : {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CONFIG_DIRS", "XDG_DATA_DIRS"}) {
    setenv(variable, pattern.c_str(), 1);
  }
  setenv("LINVALE_REGISTRY_USER", (pattern + "/user.reg").c_str(), 1);
  setenv("LINVALE_REGISTRY_MACHINE", (pattern + "/machine.reg").c_str(), 1);
}

PrivateHome::~PrivateHome() {
  std::error_code ignored;
  std::filesystem::remove_all(mFolder, ignored);
}

void RenderEveryIteration(benchmark::State& state, NprRenderer& renderer, Scene& scene, const TS_Viewport& viewport,
                          const NprRenderSettings& settings, const char* failure) {
  SilentProgress progress;
  for (auto _ : state) {
    const NprUniqueGdiObject<HBITMAP> bitmap(renderer.RenderScene(&scene, viewport, settings, &progress));
    if (!bitmap) {
      state.SkipWithError(failure);
      break;
    }
  }
}

namespace {

NprRenderSettings StyleSettings(const std::string& styleFile, const char* shaderTag,
                                NprRenderSettings::AntialiasStyle antialias, SIZE size) {
  NprRenderSettings settings;
  settings.Load(styleFile.c_str(), true);
  settings.SetConfigFileName(styleFile.c_str());
  settings.SetShaderTag(shaderTag);
  settings.SetAntialiasStyle(antialias);
  settings.SetImageSize(&size);
  return settings;
}

// What every styled benchmark sets up as a host would: a quiet host
// installed, the style read, the objects in a scene fitted to the picture.
struct StyledRender {
  StyledRender(const std::vector<TS_SampleObject>& objects, const std::string& styleFile, const char* shaderTag,
               NprRenderSettings::AntialiasStyle antialias, SIZE size)
      : installed(host), settings(StyleSettings(styleFile, shaderTag, antialias, size)) {
    FillScene(scene, viewport, objects, size);
  }

  QuietHost host;
  const NprInstalledHost installed;
  const NprRenderSettings settings;
  Scene scene;
  TS_Viewport viewport;
  NprRenderer renderer;
};

long FaceCount(const Scene& scene) {
  long faces = 0;
  for (const Node* node = scene.First(); node != nullptr; node = node->m_next) {
    faces += node->m_mesh.FaceCount();
  }
  return faces;
}

}  // namespace

long RenderInStyle(benchmark::State& state, const std::vector<TS_SampleObject>& objects, const std::string& styleFile,
                   const char* shaderTag, NprRenderSettings::AntialiasStyle antialias, SIZE size) {
  StyledRender render(objects, styleFile, shaderTag, antialias, size);
  RenderEveryIteration(state, render.renderer, render.scene, render.viewport, render.settings,
                       "the render gave no bitmap");
  return FaceCount(render.scene);
}

long DrawInStyle(benchmark::State& state, const std::vector<TS_SampleObject>& objects, const std::string& styleFile,
                 const char* shaderTag, NprRenderSettings::AntialiasStyle antialias, SIZE size,
                 const std::string& outputFile) {
  StyledRender render(objects, styleFile, shaderTag, antialias, size);
  for (auto _ : state) {
    NprVectorDrawing drawing;
    if (!NprRenderVector(render.renderer, &render.scene, render.viewport, render.settings, {}, drawing)) {
      state.SkipWithError("the shader gave no drawing");
      break;
    }
    if (!outputFile.empty() && !NprWriteVectorFile(drawing, outputFile).empty()) {
      state.SkipWithError("the drawing could not be written");
      break;
    }
  }
  if (!outputFile.empty()) {
    std::error_code error;
    state.counters["file_bytes"] = static_cast<double>(std::filesystem::file_size(outputFile, error));
    std::filesystem::remove(outputFile, error);
  }
  return FaceCount(render.scene);
}

int RunBenchmarks(const char* program, int argc, char** argv) {
  const PrivateHome home(program);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

}  // namespace bench
