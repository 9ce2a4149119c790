#include "huge_page_heap.h"

#include <unistd.h>

#include <cstdlib>
#include <string_view>

namespace npr_render {
namespace {

constexpr const char* kTunables = "GLIBC_TUNABLES";
constexpr std::string_view kHugePageTunable = "glibc.malloc.hugetlb";

}  // namespace

std::optional<std::string> TunablesWithHugePageHeap(const char* given) {
  const std::string tunables = given != nullptr ? given : "";
  // A user who set it has the last word; and the restarted program finds
  // it set and carries on.
  if (tunables.find(kHugePageTunable) != std::string::npos) {
    return std::nullopt;
  }
  return tunables + (tunables.empty() ? "" : ":") + std::string(kHugePageTunable) + "=1";
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
