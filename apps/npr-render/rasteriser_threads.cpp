#include "rasteriser_threads.h"

#include <cstdlib>

namespace npr_render {
namespace {

constexpr const char* kThreadCount = "LP_NUM_THREADS";

}  // namespace

std::optional<std::string> RasteriserThreadsToSet(const char* given) {
  // An empty value reads as unset to the rasteriser as well.
  if (given != nullptr && given[0] != '\0') {
    return std::nullopt;
  }
  return "0";
}

void RasteriseOnDrawingThread() {
  if (const std::optional<std::string> threads = RasteriserThreadsToSet(std::getenv(kThreadCount))) {
    setenv(kThreadCount, threads->c_str(), 1);
  }
}

}  // namespace npr_render
