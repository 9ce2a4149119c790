// Whole Cartoon renders at 1920 x 1080 through the renderer: the sample
// part and a model of about a million triangles, with the best antialiasing
// (drawn at 3840 x 2160 and reduced) and without. Real time is measured:
// the software GL driver draws on threads of its own.
#include "bench_support.h"

#include <string>

namespace {

constexpr SIZE kSize{1920, 1080};

void RenderCartoon(benchmark::State& state, const std::vector<TS_SampleObject>& objects,
                   NprRenderSettings::AntialiasStyle antialias) {
  const std::string style = std::string(LINVALE_STYLES_DIR) + "/Bright Cel.npr";
  const long triangles = bench::RenderInStyle(state, objects, style, "Cartoon", antialias, kSize);
  state.counters["triangles"] = static_cast<double>(triangles);
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
