// The reduction that ends every antialiased render, at its largest usual
// size: a 4000 x 3000 output drawn at 8000 x 6000. The source lives in a
// file mapping, as a shader's bitmap does.
#include "image_resampling.h"

#include <linvale/dib_pixels.h>
#include <windows.h>

#include <benchmark/benchmark.h>

#include <cstdint>
#include <fstream>
#include <string>

namespace {

constexpr SIZE sourceSize{8000, 6000};
constexpr SIZE outputSize{4000, 3000};

struct MappedPicture {
  HANDLE mapping = nullptr;
  HBITMAP bitmap = nullptr;
};

// A picture with detail in every pixel, so the filter cannot take short
// cuts the real pictures would not allow.
MappedPicture MakeSource(HDC screen) {
  const std::uint64_t bytes = static_cast<std::uint64_t>(sourceSize.cx) * sourceSize.cy * 4 + 40;
  MappedPicture picture;
  picture.mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, static_cast<DWORD>(bytes >> 32),
                                       static_cast<DWORD>(bytes), nullptr);
  const BITMAPINFO info = NprDibHeader(sourceSize.cx, sourceSize.cy, 32);
  void* bits = nullptr;
  picture.bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, picture.mapping, 0);
  auto* pixels = static_cast<std::uint32_t*>(bits);
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

void StretchImageBilinear8000x6000To4000x3000(benchmark::State& state) {
  HDC screen = GetDC(nullptr);
  HANDLE fileSlot = nullptr;
  HANDLE mappingSlot = nullptr;
  for (auto _ : state) {
    state.PauseTiming();
    MappedPicture source = MakeSource(screen);
    mappingSlot = source.mapping;
    state.ResumeTiming();
    HBITMAP output = linvale::StretchImageBilinear(screen, source.bitmap, outputSize, &fileSlot, &mappingSlot);
    benchmark::DoNotOptimize(output);
    state.PauseTiming();
    DeleteObject(output);
    state.ResumeTiming();
  }
  CloseHandle(mappingSlot);
  ReleaseDC(nullptr, screen);
  state.counters["source_pixels_per_second"] = benchmark::Counter(
      static_cast<double>(sourceSize.cx) * sourceSize.cy, benchmark::Counter::kIsIterationInvariantRate);
}

// One reduction with the peak resident size reset just before it: the
// growth of the peak over what was resident (the source picture included)
// is what the reduction itself needed.
void PeakMemoryOfTheReduction(benchmark::State& state) {
  HDC screen = GetDC(nullptr);
  for (auto _ : state) {
    state.PauseTiming();
    MappedPicture source = MakeSource(screen);
    HANDLE fileSlot = nullptr;
    HANDLE mappingSlot = source.mapping;
    std::ofstream("/proc/self/clear_refs") << "5";
    const std::int64_t residentBefore = StatusValue("VmRSS");
    state.ResumeTiming();
    HBITMAP output = linvale::StretchImageBilinear(screen, source.bitmap, outputSize, &fileSlot, &mappingSlot);
    state.PauseTiming();
    const std::int64_t peak = StatusValue("VmHWM");
    state.counters["resident_before_MiB"] = static_cast<double>(residentBefore) / (1 << 20);
    state.counters["peak_growth_MiB"] = static_cast<double>(peak - residentBefore) / (1 << 20);
    DeleteObject(output);
    CloseHandle(mappingSlot);
    state.ResumeTiming();
  }
  ReleaseDC(nullptr, screen);
}

BENCHMARK(StretchImageBilinear8000x6000To4000x3000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(PeakMemoryOfTheReduction)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
