// The heap of a reading child keeps what it frees: a block as large as a
// mesher's arrays comes from the heap, and freeing it at the top leaves the
// heap as large as it was. Run in a child, so that this test process keeps
// glibc's own settings.
#include "child_heap.h"
#include "isolated_run.h"

#include <gtest/gtest.h>

#include <malloc.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

namespace {

using tessel::detail::IsolatedResult;
using tessel::detail::IsolationLimits;
using tessel::detail::ReplyWriter;
using tessel::detail::RunIsolated;

// Larger than glibc's threshold for a mapping of its own (128 KiB, rising
// with what the program frees), smaller than the largest it can be raised to.
constexpr std::size_t kBlock = 24u << 20;

// The heap's size before, with and after the block, as "before with after".
std::string HeapAroundOneBlock(bool keep) {
  IsolationLimits limits;
  limits.cpuSeconds = 5;
  const IsolatedResult result = RunIsolated(
      [keep](ReplyWriter& reply) {
        if (keep && !tessel::detail::KeepFreedMemory()) {
          return false;
        }
        const std::size_t before = mallinfo2().arena;
        void* block = std::malloc(kBlock);
        if (block == nullptr) {
          return false;
        }
        std::memset(block, 1, kBlock);
        const std::size_t with = mallinfo2().arena;
        std::free(block);
        const std::size_t after = mallinfo2().arena;
        return reply.Write(std::to_string(before) + " " + std::to_string(with) + " " + std::to_string(after));
      },
      limits);
  EXPECT_EQ(result.outcome, IsolatedResult::Outcome::Replied);
  return {result.reply.Bytes().data(), result.reply.Bytes().size()};
}

struct HeapSizes {
  std::size_t before = 0, with = 0, after = 0;
};

HeapSizes Parse(const std::string& text) {
  HeapSizes sizes;
  char* end = nullptr;
  sizes.before = std::strtoull(text.c_str(), &end, 10);
  sizes.with = std::strtoull(end, &end, 10);
  sizes.after = std::strtoull(end, &end, 10);
  return sizes;
}

}  // namespace

TEST(ChildHeap, ALargeBlockComesFromTheHeapWhichKeepsItWhenFreed) {
#ifdef LINVALE_SANITIZED
  GTEST_SKIP() << "AddressSanitizer's allocator takes the place of glibc's and ignores its settings";
#endif
  const HeapSizes kept = Parse(HeapAroundOneBlock(true));
  // The heap grew for the block, by a large step beyond it...
  EXPECT_GE(kept.with, kept.before + 2 * kBlock);
  // ...and gave nothing back when it was freed.
  EXPECT_EQ(kept.after, kept.with);
}

TEST(ChildHeap, WithoutItTheBlockHasAMappingOfItsOwn) {
#ifdef LINVALE_SANITIZED
  GTEST_SKIP() << "AddressSanitizer's allocator takes the place of glibc's";
#endif
  // What the settings change: glibc's own choice keeps such a block out of
  // the heap, to unmap it when freed.
  const HeapSizes plain = Parse(HeapAroundOneBlock(false));
  EXPECT_LT(plain.with, plain.before + kBlock);
}
