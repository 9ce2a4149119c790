#include "huge_page_heap.h"

#include <unistd.h>

#include <array>
#include <cstdlib>
#include <string_view>

namespace npr_render {
namespace {

constexpr const char* kTunables = "GLIBC_TUNABLES";
constexpr std::string_view kHugePageTunable = "glibc.malloc.hugetlb";

// llvmpipe frees its binned scene after each flush and bins the next one
// at once; with the usual thresholds the C library handed the top of the
// heap back each time, and the next scene paid the kernel to clear fresh
// huge pages again (hundreds of megabytes in a Sketch render). A fixed
// trim threshold also fixes the mmap threshold, which would otherwise stay
// at 128 KiB and put every larger array in pages of its own. At 16 MiB the
// rasteriser's colour and depth buffers of a supersampled picture still get
// theirs, and go back to the system with the context instead of staying in
// the heap under the reduced picture.
constexpr std::array<std::string_view, 2> kHeapThresholds = {
    "glibc.malloc.trim_threshold=67108864",
    "glibc.malloc.mmap_threshold=16777216",
};

std::string_view NameOf(std::string_view tunable) { return tunable.substr(0, tunable.find('=')); }

}  // namespace

std::optional<std::string> TunablesWithHugePageHeap(const char* given) {
  std::string tunables = given != nullptr ? given : "";
  // A user who set it has the last word; and the restarted program finds
  // it set and carries on.
  if (tunables.find(kHugePageTunable) != std::string::npos) {
    return std::nullopt;
  }
  const auto append = [&tunables](std::string_view tunable) {
    tunables += (tunables.empty() ? "" : ":") + std::string(tunable);
  };
  append(std::string(kHugePageTunable) + "=1");
  for (const std::string_view threshold : kHeapThresholds) {
    if (tunables.find(NameOf(threshold)) == std::string::npos) {
      append(threshold);
    }
  }
  return tunables;
}

void RestartWithHugePageHeap(char** argv) {
#ifdef LINVALE_SANITIZED
  // The sanitizers bring their own allocator, which ignores the setting.
  (void)argv;
#else
  const char* variable = std::getenv(kTunables);
  const std::optional<std::string> given = variable != nullptr ? std::optional<std::string>(variable) : std::nullopt;
  const std::optional<std::string> tunables = TunablesWithHugePageHeap(variable);
  if (!tunables || setenv(kTunables, tunables->c_str(), 1) != 0) {
    return;
  }
  execv("/proc/self/exe", argv);
  // Not restarted: the processes this one starts must not see it either.
  if (given) {
    setenv(kTunables, given->c_str(), 1);
  } else {
    unsetenv(kTunables);
  }
#endif
}

}  // namespace npr_render
