// The reduction that ends every antialiased render, at its largest usual
// size: a 4000 x 3000 output drawn at 8000 x 6000. The source lives in a
// file mapping, as a shader's bitmap does.
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

constexpr SIZE sourceSize{8000, 6000};
constexpr SIZE outputSize{4000, 3000};

// A picture with detail in every pixel, so the filter cannot take short
// cuts the real pictures would not allow.
linvale::MappedSection MakeSource(HDC screen) {
  linvale::MappedSection picture = linvale::CreateMappedSection(screen, sourceSize, 32);
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
  explicit Reduction(HDC screen) : mScreen(screen) {
    linvale::MappedSection source = MakeSource(screen);
    mSource = std::move(source.section);
    mMappingSlot = source.mapping.release();
  }
  ~Reduction() { NprCloseHandleSlot(&mMappingSlot); }
  Reduction(const Reduction&) = delete;
  Reduction& operator=(const Reduction&) = delete;

  NprUniqueGdiObject<HBITMAP> Run() {
    return NprUniqueGdiObject<HBITMAP>(
        linvale::StretchImageBilinear(mScreen, mSource.release(), outputSize, &mFileSlot, &mMappingSlot));
  }

private:
  HDC mScreen;
  NprUniqueGdiObject<HBITMAP> mSource;
  HANDLE mFileSlot = nullptr;
  HANDLE mMappingSlot = nullptr;
};

void StretchImageBilinear8000x6000To4000x3000(benchmark::State& state) {
  const NprScreenDC screen = NprGetScreenDC();
  for (auto _ : state) {
    state.PauseTiming();
    {
      Reduction reduction(screen.get());
      state.ResumeTiming();
      const NprUniqueGdiObject<HBITMAP> output = reduction.Run();
      benchmark::DoNotOptimize(output.get());
      state.PauseTiming();
    }
    state.ResumeTiming();
  }
  state.counters["source_pixels_per_second"] = benchmark::Counter(static_cast<double>(sourceSize.cx) * sourceSize.cy,
                                                                  benchmark::Counter::kIsIterationInvariantRate);
}

// One reduction with the peak resident size reset just before it: the
// growth of the peak over what was resident (the source picture included)
// is what the reduction itself needed.
void PeakMemoryOfTheReduction(benchmark::State& state) {
  const NprScreenDC screen = NprGetScreenDC();
  for (auto _ : state) {
    state.PauseTiming();
    {
      Reduction reduction(screen.get());
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

BENCHMARK(StretchImageBilinear8000x6000To4000x3000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(PeakMemoryOfTheReduction)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
