#include "memory_budget.h"

#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <string>

namespace npr_render {
namespace {

constexpr std::uint64_t kLeastBudget = 2ull << 30;
// Text formats expand about tenfold in the importer, and the meshes are
// copied a few times on their way into the scene.
constexpr std::uint64_t kBytesPerFileByte = 64;

// The address space the process holds now (VmSize), 0 when unknown.
std::uint64_t AddressSpaceInUse() {
  std::ifstream status("/proc/self/status");
  std::string key;
  while (status >> key) {
    if (key == "VmSize:") {
      std::uint64_t kilobytes = 0;
      status >> kilobytes;
      return kilobytes * 1024;
    }
    status.ignore(4096, '\n');
  }
  return 0;
}

std::uint64_t PhysicalMemory() {
  const long pages = sysconf(_SC_PHYS_PAGES);
  const long pageSize = sysconf(_SC_PAGE_SIZE);
  return pages > 0 && pageSize > 0 ? static_cast<std::uint64_t>(pages) * static_cast<std::uint64_t>(pageSize) : 0;
}

}  // namespace

ScopedMemoryBudget::ScopedMemoryBudget(std::uint64_t bytes) {
  const std::uint64_t inUse = AddressSpaceInUse();
  if (inUse == 0 || getrlimit(RLIMIT_AS, &mPrevious) != 0) {
    return;
  }
  rlimit bounded = mPrevious;
  const std::uint64_t wanted = inUse + bytes;
  if (bounded.rlim_cur != RLIM_INFINITY && bounded.rlim_cur <= wanted) {
    return;  // already tighter than the budget
  }
  bounded.rlim_cur = bounded.rlim_max == RLIM_INFINITY ? wanted : std::min<rlim_t>(wanted, bounded.rlim_max);
  mChanged = setrlimit(RLIMIT_AS, &bounded) == 0;
}

ScopedMemoryBudget::~ScopedMemoryBudget() {
  if (mChanged) {
    setrlimit(RLIMIT_AS, &mPrevious);
  }
}

std::uint64_t ScopedMemoryBudget::ForModelFile(std::uint64_t fileSize) {
  const std::uint64_t generous = std::max(kLeastBudget, fileSize * kBytesPerFileByte);
  const std::uint64_t physical = PhysicalMemory();
  return physical > 0 ? std::min(generous, physical / 4 * 3) : generous;
}

}  // namespace npr_render
