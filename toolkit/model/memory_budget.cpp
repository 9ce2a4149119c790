#include "memory_budget.h"

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

namespace tessel::detail {
namespace {

constexpr std::uint64_t kLeastBudget = 2ull << 30;
// Text formats expand about tenfold in the importer, and the meshes are
// copied a few times on their way into the model.
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

std::uint64_t ModelDataSize(const std::filesystem::path& path) {
  std::error_code error;
  std::uintmax_t size = std::filesystem::file_size(path, error);
  if (error) {
    return 0;
  }
  if (path.extension() == ".gltf") {
    for (const auto& entry : std::filesystem::directory_iterator(path.parent_path(), error)) {
      if (entry.is_regular_file(error) && entry.path() != path) {
        size += entry.file_size(error);
      }
    }
  }
  return size;
}

}  // namespace

std::uint64_t MemoryBudgetForModel(const char* path) {
  const std::uint64_t fileSize = ModelDataSize(std::filesystem::path(reinterpret_cast<const char8_t*>(path)));
  const std::uint64_t generous = std::max(kLeastBudget, fileSize * kBytesPerFileByte);
  const std::uint64_t physical = PhysicalMemory();
  return physical > 0 ? std::min(generous, physical / 4 * 3) : generous;
}

bool LimitAddressSpaceGrowth(std::uint64_t bytes) {
  const std::uint64_t inUse = AddressSpaceInUse();
  rlimit limit{};
  if (inUse == 0 || getrlimit(RLIMIT_AS, &limit) != 0) {
    return false;
  }
  const std::uint64_t wanted = inUse + bytes;
  if (limit.rlim_cur != RLIM_INFINITY && limit.rlim_cur <= wanted) {
    return true;  // already tighter than the budget
  }
  limit.rlim_cur = limit.rlim_max == RLIM_INFINITY ? wanted : std::min<rlim_t>(wanted, limit.rlim_max);
  return setrlimit(RLIMIT_AS, &limit) == 0;
}

}  // namespace tessel::detail
