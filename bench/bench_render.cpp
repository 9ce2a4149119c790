// A whole render through the renderer: plug-in reload, the GL test shader
// drawing at twice 1920 x 1080 into a file-mapped bitmap, and the reduction
// back to 1920 x 1080. Real time is measured: the software GL driver draws
// on threads of its own.
#include "bench_support.h"

#include <linvale/npr_installed_host.h>

namespace {

void RenderTestShader(benchmark::State& state, NprRenderSettings::AntialiasStyle antialias) {
  bench::QuietHost host;
  const NprInstalledHost installed(host);
  NprRenderSettings settings;
  settings.SetShaderTag("TestGL");
  settings.SetAntialiasStyle(antialias);
  const SIZE size{1920, 1080};
  settings.SetImageSize(&size);
  NprRenderer renderer;
  Scene scene;
  TS_Viewport viewport;
  bench::RenderEveryIteration(state, renderer, scene, viewport, settings,
                              "the render failed (is the TestGL plug-in built?)");
  state.counters["output_pixels/s"] =
      benchmark::Counter(static_cast<double>(size.cx) * size.cy, benchmark::Counter::kIsIterationInvariantRate);
}

void BM_RenderScene1080pBest(benchmark::State& state) { RenderTestShader(state, NprRenderSettings::AntialiasBest); }

// The same render without supersampling, to show what the best level costs.
void BM_RenderScene1080pNormal(benchmark::State& state) { RenderTestShader(state, NprRenderSettings::AntialiasNormal); }

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

int main(int argc, char** argv) { return bench::RunBenchmarks("bench-render", argc, argv); }
