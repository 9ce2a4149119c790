// Whole Cartoon renders at 1920 x 1080 through the renderer: the sample
// part and a model of about a million triangles, with the best antialiasing
// (drawn at 3840 x 2160 and reduced) and without. Real time is measured:
// the software GL driver draws on threads of its own.
#include <linvale/npr_host_application_services.h>
#include <linvale/npr_render_settings.h>
#include <linvale/npr_renderer.h>
#include <linvale/scene.h>
#include <linvale/scene_builder.h>
#include <tessel/ts_sample_part.h>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

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
void UsePrivateHome() {
  std::string pattern = (std::filesystem::temp_directory_path() / "bench-cartoon-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) {
    std::abort();
  }
  for (const char* variable : {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CONFIG_DIRS"}) {
    setenv(variable, pattern.c_str(), 1);
  }
  setenv("LINVALE_REGISTRY_USER", (pattern + "/user.reg").c_str(), 1);
  setenv("LINVALE_REGISTRY_MACHINE", (pattern + "/machine.reg").c_str(), 1);
}

void FillScene(Scene& scene, TS_Viewport& viewport, const std::vector<TS_SampleObject>& objects) {
  for (const TS_SampleObject& object : objects) {
    NprAppendMeshNode(scene, object.mesh, object.color);
  }
  TS_3dPoint min;
  TS_3dPoint max;
  NprSceneBounds(scene, min, max);
  NprFitViewport(viewport, min, max, NprNamedView::Iso, TS::perspective_view, kWidth, kHeight);
  NprAddDefaultLightIfNone(scene, viewport);
}

long TriangleCount(const Scene& scene) {
  long triangles = 0;
  for (const Node* node = scene.First(); node != nullptr; node = node->m_next) {
    triangles += node->m_mesh.FaceCount();
  }
  return triangles;
}

void RenderCartoon(benchmark::State& state, const std::vector<TS_SampleObject>& objects,
                   NprRenderSettings::AntialiasStyle antialias) {
  QuietHost host;
  NprHostApplicationServices* previous = NprHostApplicationServices::setDefaultHost(&host);
  {
    const std::string style = std::string(LINVALE_STYLES_DIR) + "/Bright Cel.npr";
    NprRenderSettings settings;
    settings.Load(style.c_str(), true);
    settings.SetConfigFileName(style.c_str());
    settings.SetShaderTag("Cartoon");
    settings.SetAntialiasStyle(antialias);
    const SIZE size{kWidth, kHeight};
    settings.SetImageSize(&size);
    Scene scene;
    TS_Viewport viewport;
    FillScene(scene, viewport, objects);
    NprRenderer renderer;
    SilentProgress progress;
    for (auto _ : state) {
      HBITMAP bitmap = renderer.RenderScene(&scene, viewport, settings, &progress);
      if (bitmap == nullptr) {
        state.SkipWithError("the render gave no bitmap");
        break;
      }
      DeleteObject(bitmap);
    }
    state.counters["triangles"] = static_cast<double>(TriangleCount(scene));
  }
  NprHostApplicationServices::setDefaultHost(previous);
}

void BM_CartoonSamplePart(benchmark::State& state) {
  static const auto part = TS_SamplePart();
  RenderCartoon(state, part, static_cast<NprRenderSettings::AntialiasStyle>(state.range(0)));
}
BENCHMARK(BM_CartoonSamplePart)
    ->Arg(NprRenderSettings::AntialiasNone)
    ->Arg(NprRenderSettings::AntialiasBest)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void BM_CartoonLargeModel(benchmark::State& state) {
  static const auto model = TS_LargeSampleModel(1000000);
  RenderCartoon(state, model, static_cast<NprRenderSettings::AntialiasStyle>(state.range(0)));
}
BENCHMARK(BM_CartoonLargeModel)
    ->Arg(NprRenderSettings::AntialiasNone)
    ->Arg(NprRenderSettings::AntialiasBest)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
  UsePrivateHome();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
