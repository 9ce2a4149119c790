// Page-granular blocks. Each block is one anonymous mapping, owned by the
// block table until VirtualFree releases it.
#include "memory/mapped_region.h"

#include <win32/memory.h>

#include <map>
#include <mutex>

namespace {

using linvale::platform::MappedRegion;

struct BlockTable {
  std::mutex mutex;
  std::map<const void*, MappedRegion> blocks;
};

BlockTable& Blocks() {
  static BlockTable table;
  return table;
}

}  // namespace

LPVOID VirtualAlloc(LPVOID address, SIZE_T size, DWORD type, DWORD protect) {
  if (address != nullptr || size == 0 || (type & MEM_COMMIT) == 0 || (type & ~(MEM_COMMIT | MEM_RESERVE)) != 0 ||
      protect != PAGE_READWRITE) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  MappedRegion block = MappedRegion::Anonymous(size);
  if (!block) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  void* base = block.Data();
  std::lock_guard lock(Blocks().mutex);
  Blocks().blocks.emplace(base, std::move(block));
  return base;
}

BOOL VirtualFree(LPVOID address, SIZE_T size, DWORD type) {
  if (size != 0 || type != MEM_RELEASE) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  std::lock_guard lock(Blocks().mutex);
  if (Blocks().blocks.erase(address) == 0) {
    SetLastError(ERROR_INVALID_ADDRESS);
    return FALSE;
  }
  return TRUE;
}
