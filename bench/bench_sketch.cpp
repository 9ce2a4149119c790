// Whole Sketch renders at 1920 x 1080 with the best antialiasing (drawn at
// 3840 x 2160 and reduced) through the renderer: the sample part in every
// shipped Sketch style, and a model of about a million triangles in the
// line-drawing style. Real time is measured: the software GL driver draws
// on threads of its own.
#include <linvale/npr_host_application_services.h>
#include <linvale/npr_render_settings.h>
#include <linvale/npr_renderer.h>
#include <linvale/scene.h>
#include <linvale/scene_builder.h>
#include <tessel/ts_sample_part.h>

#include <benchmark/benchmark.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
constexpr std::array<const char*, 4> kStyles = {"Pencil Lines", "Loose Sketch", "Pencil Shading", "Watercolour"};

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
  std::string pattern = (std::filesystem::temp_directory_path() / "bench-sketch-XXXXXX").string();
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

void RenderSketch(benchmark::State& state, const std::vector<TS_SampleObject>& objects, const char* styleName) {
  QuietHost host;
  NprHostApplicationServices* previous = NprHostApplicationServices::setDefaultHost(&host);
  {
    const std::string style = std::string(LINVALE_STYLES_DIR) + "/" + styleName + ".npr";
    NprRenderSettings settings;
    settings.Load(style.c_str(), true);
    settings.SetConfigFileName(style.c_str());
    settings.SetShaderTag("Sketch");
    settings.SetAntialiasStyle(NprRenderSettings::AntialiasBest);
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
    state.SetLabel(styleName);
  }
  NprHostApplicationServices::setDefaultHost(previous);
}

void BM_SketchSamplePart(benchmark::State& state) {
  static const auto part = TS_SamplePart();
  RenderSketch(state, part, kStyles[static_cast<std::size_t>(state.range(0))]);
}
BENCHMARK(BM_SketchSamplePart)->DenseRange(0, kStyles.size() - 1)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SketchLargeModel(benchmark::State& state) {
  static const auto model = TS_LargeSampleModel(1000000);
  RenderSketch(state, model, kStyles[0]);
}
BENCHMARK(BM_SketchLargeModel)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);

}  // namespace

int main(int argc, char** argv) {
  UsePrivateHome();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
