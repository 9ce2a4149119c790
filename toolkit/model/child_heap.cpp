#include "child_heap.h"

#include <malloc.h>

namespace tessel::detail {
namespace {

// The heap grows by this much beyond each request, and gives back only
// what lies free above the larger figure; blocks up to the largest
// threshold glibc allows come from the heap, not from mappings of their own.
constexpr int kGrowthStep = 64 << 20;
constexpr int kKeptFree = 256 << 20;
constexpr int kLargestHeapBlock = 32 << 20;

}  // namespace

bool KeepFreedMemory() {
  return mallopt(M_TOP_PAD, kGrowthStep) != 0 && mallopt(M_TRIM_THRESHOLD, kKeptFree) != 0 &&
         mallopt(M_MMAP_THRESHOLD, kLargestHeapBlock) != 0;
}

}  // namespace tessel::detail
