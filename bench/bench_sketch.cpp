// Whole Sketch renders at 1920 x 1080 with the best antialiasing (drawn at
// 3840 x 2160 and reduced) through the renderer: the sample part in every
// shipped Sketch style, and a model of about a million triangles in the
// line-drawing style. Real time is measured: the software GL driver draws
// on threads of its own.
#include "bench_support.h"

#include <array>
#include <string>

namespace {

constexpr SIZE kSize{1920, 1080};
constexpr std::array<const char*, 4> kStyles = {"Pencil Lines", "Loose Sketch", "Pencil Shading", "Watercolour"};

void RenderSketch(benchmark::State& state, const std::vector<TS_SampleObject>& objects, const char* styleName) {
  const std::string style = std::string(LINVALE_STYLES_DIR) + "/" + styleName + ".npr";
  bench::RenderInStyle(state, objects, style, "Sketch", NprRenderSettings::AntialiasBest, kSize);
  state.SetLabel(styleName);
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

int main(int argc, char** argv) { return bench::RunBenchmarks("bench-sketch", argc, argv); }
