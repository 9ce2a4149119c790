// Whole Cartoon renders at 1920 x 1080 through the renderer: the sample
// part and a model of about a million triangles, with the best antialiasing
// (drawn at 3840 x 2160 and reduced) and without. Real time is measured:
// the software GL driver draws on threads of its own.
#include "bench_support.h"

#include <linvale/npr_installed_host.h>

#include <string>

namespace {

constexpr SIZE kSize{1920, 1080};

long TriangleCount(const Scene& scene) {
  long triangles = 0;
  for (const Node* node = scene.First(); node != nullptr; node = node->m_next) {
    triangles += node->m_mesh.FaceCount();
  }
  return triangles;
}

void RenderCartoon(benchmark::State& state, const std::vector<TS_SampleObject>& objects,
                   NprRenderSettings::AntialiasStyle antialias) {
  bench::QuietHost host;
  const NprInstalledHost installed(host);
  const std::string style = std::string(LINVALE_STYLES_DIR) + "/Bright Cel.npr";
  NprRenderSettings settings;
  settings.Load(style.c_str(), true);
  settings.SetConfigFileName(style.c_str());
  settings.SetShaderTag("Cartoon");
  settings.SetAntialiasStyle(antialias);
  settings.SetImageSize(&kSize);
  Scene scene;
  TS_Viewport viewport;
  bench::FillScene(scene, viewport, objects, kSize);
  NprRenderer renderer;
  bench::RenderEveryIteration(state, renderer, scene, viewport, settings, "the render gave no bitmap");
  state.counters["triangles"] = static_cast<double>(TriangleCount(scene));
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

int main(int argc, char** argv) { return bench::RunBenchmarks("bench-cartoon", argc, argv); }
