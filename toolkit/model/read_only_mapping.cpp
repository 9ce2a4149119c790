#include "read_only_mapping.h"

#include <sys/mman.h>

namespace tessel::detail {

bool ReadOnlyMapping::Map(int descriptor, std::size_t size) {
  Reset();
  if (size == 0) {
    return true;
  }
  // Populating the whole mapping at once costs one walk over the file's
  // pages instead of a fault for each page the reader touches.
  void* address = mmap(nullptr, size, PROT_READ, MAP_SHARED | MAP_POPULATE, descriptor, 0);
  if (address == MAP_FAILED) {
    return false;
  }
  mAddress = address;
  mSize = size;
  return true;
}

void ReadOnlyMapping::Reset() {
  if (mAddress != nullptr) {
    munmap(mAddress, mSize);
    mAddress = nullptr;
    mSize = 0;
  }
}

}  // namespace tessel::detail
