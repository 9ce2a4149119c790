// A whole render through the renderer: plug-in reload, the GL test shader
// drawing at twice 1920 x 1080 into a file-mapped bitmap, and the reduction
// back to 1920 x 1080. Real time is measured: the software GL driver draws
// on threads of its own.
#include <linvale/npr_host_application_services.h>
#include <linvale/npr_render_settings.h>
#include <linvale/npr_renderer.h>
#include <linvale/scene.h>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

class QuietHost : public NprHostApplicationServices {
public:
  void OnPreviewSettings(NprRenderSettings&) override {}
};

class SilentProgress : public NprRenderer::Progress {
public:
  void SetStepCount(int) override {}
  void Step(int, HBITMAP) override {}
  void SetResult(HBITMAP) override {}
  void SetTaskName(const char*) override {}
  bool IsCanceled() override { return false; }
};

// The host creates its styles folders; keep them out of the user's home.
std::filesystem::path PrivateHome() {
  std::string pattern = (std::filesystem::temp_directory_path() / "bench-render-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) {
    return {};
  }
  for (const char* variable : {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CONFIG_DIRS", "XDG_DATA_DIRS"}) {
    setenv(variable, pattern.c_str(), 1);
  }
  setenv("LINVALE_REGISTRY_USER", (pattern + "/user.reg").c_str(), 1);
  setenv("LINVALE_REGISTRY_MACHINE", (pattern + "/machine.reg").c_str(), 1);
  return pattern;
}

void RenderTestShader(benchmark::State& state, NprRenderSettings::AntialiasStyle antialias) {
  const std::filesystem::path home = PrivateHome();
  QuietHost host;
  NprHostApplicationServices* previous = NprHostApplicationServices::setDefaultHost(&host);
  {
    NprRenderSettings settings;
    settings.SetShaderTag("TestGL");
    settings.SetAntialiasStyle(antialias);
    const SIZE size{1920, 1080};
    settings.SetImageSize(&size);
    NprRenderer renderer;
    Scene scene;
    TS_Viewport viewport;
    SilentProgress progress;
    for (auto _ : state) {
      HBITMAP result = renderer.RenderScene(&scene, viewport, settings, &progress);
      if (result == nullptr) {
        state.SkipWithError("the render failed (is the TestGL plug-in built?)");
        break;
      }
      DeleteObject(result);
    }
    state.counters["output_pixels/s"] =
        benchmark::Counter(static_cast<double>(size.cx) * size.cy, benchmark::Counter::kIsIterationInvariantRate);
  }
  NprHostApplicationServices::setDefaultHost(previous);
  std::filesystem::remove_all(home);
}

void BM_RenderScene1080pBest(benchmark::State& state) {
  RenderTestShader(state, NprRenderSettings::AntialiasBest);
}

// The same render without supersampling, to show what the best level costs.
void BM_RenderScene1080pNormal(benchmark::State& state) {
  RenderTestShader(state, NprRenderSettings::AntialiasNormal);
}

// The plug-in reload every render starts with.
void BM_ReloadPlugins(benchmark::State& state) {
  NprRenderer renderer;
  for (auto _ : state) {
    if (renderer.OnLoad() == 0) {
      state.SkipWithError("no plug-in in the Shaders folder");
      break;
    }
  }
}

}  // namespace

BENCHMARK(BM_ReloadPlugins)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_RenderScene1080pBest)->Unit(benchmark::kMillisecond)->MinTime(3.0)->UseRealTime();
BENCHMARK(BM_RenderScene1080pNormal)->Unit(benchmark::kMillisecond)->MinTime(3.0)->UseRealTime();
BENCHMARK_MAIN();
