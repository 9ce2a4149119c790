// npr-render starts itself again once with huge pages for its heap; the
// C library's other tunables and a user's own choice must survive that.
#include "../../apps/npr-render/huge_page_heap.h"

#include <gtest/gtest.h>

namespace {

using npr_render::TunablesWithHugePageHeap;

constexpr const char* kThresholds = "glibc.malloc.trim_threshold=67108864:glibc.malloc.mmap_threshold=16777216";

TEST(HugePageHeap, IsAskedForBesideWhateverElseWasTuned) {
  EXPECT_EQ(TunablesWithHugePageHeap(nullptr), std::string("glibc.malloc.hugetlb=1:") + kThresholds);
  EXPECT_EQ(TunablesWithHugePageHeap(""), std::string("glibc.malloc.hugetlb=1:") + kThresholds);
  EXPECT_EQ(TunablesWithHugePageHeap("glibc.malloc.arena_max=2"),
            std::string("glibc.malloc.arena_max=2:glibc.malloc.hugetlb=1:") + kThresholds);
}

// The scene buffers the rasteriser frees and bins again stay in the heap
// instead of being handed back and cleared anew for every scene.
TEST(HugePageHeap, FreedHeapIsKeptUnlessTheUserSaidOtherwise) {
  EXPECT_EQ(TunablesWithHugePageHeap("glibc.malloc.trim_threshold=0"),
            "glibc.malloc.trim_threshold=0:glibc.malloc.hugetlb=1:glibc.malloc.mmap_threshold=16777216");
  EXPECT_EQ(TunablesWithHugePageHeap("glibc.malloc.mmap_threshold=4096"),
            "glibc.malloc.mmap_threshold=4096:glibc.malloc.hugetlb=1:glibc.malloc.trim_threshold=67108864");
}

// Also what stops the restarted program from starting itself yet again.
TEST(HugePageHeap, AChoiceMadeAlreadyIsKept) {
  EXPECT_EQ(TunablesWithHugePageHeap("glibc.malloc.hugetlb=0"), std::nullopt);
  EXPECT_EQ(TunablesWithHugePageHeap("glibc.malloc.arena_max=2:glibc.malloc.hugetlb=1"), std::nullopt);
}

}  // namespace
