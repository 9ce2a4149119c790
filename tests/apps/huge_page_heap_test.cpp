// npr-render starts itself again once with huge pages for its heap; the
// C library's other tunables and a user's own choice must survive that.
#include "../../apps/npr-render/huge_page_heap.h"

#include <gtest/gtest.h>

namespace {

using npr_render::TunablesWithHugePageHeap;

TEST(HugePageHeap, IsAskedForBesideWhateverElseWasTuned) {
  EXPECT_EQ(TunablesWithHugePageHeap(nullptr), "glibc.malloc.hugetlb=1");
  EXPECT_EQ(TunablesWithHugePageHeap(""), "glibc.malloc.hugetlb=1");
  EXPECT_EQ(TunablesWithHugePageHeap("glibc.malloc.arena_max=2"), "glibc.malloc.arena_max=2:glibc.malloc.hugetlb=1");
}

// Also what stops the restarted program from starting itself yet again.
TEST(HugePageHeap, AChoiceMadeAlreadyIsKept) {
  EXPECT_EQ(TunablesWithHugePageHeap("glibc.malloc.hugetlb=0"), std::nullopt);
  EXPECT_EQ(TunablesWithHugePageHeap("glibc.malloc.arena_max=2:glibc.malloc.hugetlb=1"), std::nullopt);
}

}  // namespace
