// Vector drawings of a model of about a million triangles at 1920 x 1080
// with the best antialiasing, in a Cartoon and a Sketch style: the drawing
// alone and with its SVG file written. Compare with the PNG renders of
// bench_cartoon and bench_sketch (BM_*LargeModel/2). Real time is measured:
// the software GL driver draws the depth on threads of its own.
#include "bench_support.h"

#include <filesystem>
#include <string>

namespace {

constexpr SIZE kSize{1920, 1080};

struct Style {
  const char* file;
  const char* tag;
};

constexpr Style kStyles[] = {{"Bright Cel.npr", "Cartoon"}, {"Pencil Lines.npr", "Sketch"}};

void DrawLargeModel(benchmark::State& state, bool writeSvg) {
  static const auto model = TS_LargeSampleModel(1000000);
  const Style& style = kStyles[state.range(0)];
  const std::string output =
      writeSvg ? (std::filesystem::temp_directory_path() / "bench-vector-drawing.svg").string() : std::string();
  const long triangles = bench::DrawInStyle(state, model, std::string(LINVALE_STYLES_DIR) + "/" + style.file,
                                            style.tag, NprRenderSettings::AntialiasBest, kSize, output);
  state.counters["triangles"] = static_cast<double>(triangles);
  state.SetLabel(style.tag);
}

void BM_DrawingLargeModel(benchmark::State& state) { DrawLargeModel(state, false); }
void BM_SvgLargeModel(benchmark::State& state) { DrawLargeModel(state, true); }

BENCHMARK(BM_DrawingLargeModel)->DenseRange(0, 1)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_SvgLargeModel)->DenseRange(0, 1)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}  // namespace

int main(int argc, char** argv) { return bench::RunBenchmarks("bench-vector", argc, argv); }
