#include "bench_support.h"

#include <linvale/scene_builder.h>

#include <cstdlib>
#include <system_error>

namespace bench {

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

void RenderEveryIteration(benchmark::State& state, NprRenderer& renderer, Scene& scene, const TS_Viewport& viewport,
                          const NprRenderSettings& settings, const char* failure) {
  SilentProgress progress;
  for (auto _ : state) {
    HBITMAP bitmap = renderer.RenderScene(&scene, viewport, settings, &progress);
    if (bitmap == nullptr) {
      state.SkipWithError(failure);
      break;
    }
    DeleteObject(bitmap);
  }
}

int RunBenchmarks(const char* program, int argc, char** argv) {
  const PrivateHome home(program);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

}  // namespace bench
