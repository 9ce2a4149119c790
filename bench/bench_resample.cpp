// The reduction that ends every antialiased render: a 1920 x 1080 output
// drawn at 3840 x 2160, and the largest usual size, 4000 x 3000 drawn at
// 8000 x 6000. The source lives in a file mapping, as a shader's bitmap does.
#include "image_resampling.h"
#include "mapped_section.h"

#include <linvale/npr_win32_owners.h>
#include <windows.h>

#include <benchmark/benchmark.h>

#include <cstdint>
#include <fstream>
#include <string>
#include <utility>

namespace {

// A picture with detail in every pixel, so the filter cannot take short
// cuts the real pictures would not allow.
linvale::pipeline::MappedSection MakeSource(HDC screen, SIZE sourceSize) {
  linvale::pipeline::MappedSection picture = linvale::pipeline::CreateMappedSection(screen, sourceSize, 32);
  DIBSECTION section{};
  GetObject(picture.section.get(), sizeof section, &section);
  auto* pixels = static_cast<std::uint32_t*>(section.dsBm.bmBits);
  for (std::int64_t i = 0; i < static_cast<std::int64_t>(sourceSize.cx) * sourceSize.cy; ++i) {
    pixels[i] = static_cast<std::uint32_t>(i * 2654435761U);
  }
  return picture;
}

// Resident memory figures of the process, in bytes.
std::int64_t StatusValue(const std::string& key) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind(key + ":", 0) == 0) {
      return std::stoll(line.substr(key.size() + 1)) * 1024;
    }
  }
  return -1;
}

// A source picture as a shader leaves it: its mapping in the renderer's
// mapping slot, which the reduction empties and refills with its own.
class Reduction {
public:
  Reduction(HDC screen, SIZE outputSize) : mScreen(screen), mOutputSize(outputSize) {
    linvale::pipeline::MappedSection source = MakeSource(screen, {2 * outputSize.cx, 2 * outputSize.cy});
    mSource = std::move(source.section);
    mMappingSlot = source.mapping.release();
  }
  ~Reduction() { NprCloseHandleSlot(&mMappingSlot); }
  Reduction(const Reduction&) = delete;
  Reduction& operator=(const Reduction&) = delete;

  NprUniqueGdiObject<HBITMAP> Run() {
    return NprUniqueGdiObject<HBITMAP>(
        linvale::pipeline::StretchImageBilinear(mScreen, mSource.release(), mOutputSize, &mFileSlot, &mMappingSlot));
  }

private:
  HDC mScreen;
  SIZE mOutputSize;
  NprUniqueGdiObject<HBITMAP> mSource;
  HANDLE mFileSlot = nullptr;
  HANDLE mMappingSlot = nullptr;
};

SIZE OutputSize(const benchmark::State& state) {
  return {static_cast<LONG>(state.range(0)), static_cast<LONG>(state.range(1))};
}

void StretchImageBilinearHalving(benchmark::State& state) {
  const NprScreenDC screen = NprGetScreenDC();
  const SIZE outputSize = OutputSize(state);
  for (auto _ : state) {
    state.PauseTiming();
    {
      Reduction reduction(screen.get(), outputSize);
      state.ResumeTiming();
      const NprUniqueGdiObject<HBITMAP> output = reduction.Run();
      benchmark::DoNotOptimize(output.get());
      state.PauseTiming();
    }
    state.ResumeTiming();
  }
  state.counters["source_pixels_per_second"] =
      benchmark::Counter(4.0 * outputSize.cx * outputSize.cy, benchmark::Counter::kIsIterationInvariantRate);
}

// One reduction with the peak resident size reset just before it: the
// growth of the peak over what was resident (the source picture included)
// is what the reduction itself needed.
void PeakMemoryOfTheReduction(benchmark::State& state) {
  const NprScreenDC screen = NprGetScreenDC();
  for (auto _ : state) {
    state.PauseTiming();
    {
      Reduction reduction(screen.get(), OutputSize(state));
      std::ofstream("/proc/self/clear_refs") << "5";
      const std::int64_t residentBefore = StatusValue("VmRSS");
      state.ResumeTiming();
      const NprUniqueGdiObject<HBITMAP> output = reduction.Run();
      state.PauseTiming();
      const std::int64_t peak = StatusValue("VmHWM");
      state.counters["resident_before_MiB"] = static_cast<double>(residentBefore) / (1 << 20);
      state.counters["peak_growth_MiB"] = static_cast<double>(peak - residentBefore) / (1 << 20);
    }
    state.ResumeTiming();
  }
}

BENCHMARK(StretchImageBilinearHalving)
    ->Args({1920, 1080})
    ->Args({4000, 3000})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);
BENCHMARK(PeakMemoryOfTheReduction)
    ->Args({1920, 1080})
    ->Args({4000, 3000})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
