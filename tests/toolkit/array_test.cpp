// The toolkit's arrays: ordered removal, deep copies, storage release.
#include <tessel/ts_array.h>
#include <tessel/ts_line.h>

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<int> contents(const TS_SimpleArray<int>& a) { return {a.begin(), a.end()}; }

}  // namespace

TEST(Array, RemoveKeepsTheOrderOfTheRestAndIgnoresBadIndices) {
  TS_SimpleArray<int> a;
  for (int i = 0; i < 5; ++i) {
    a.Append(i * 10);
  }
  a.Remove(1);
  EXPECT_EQ(contents(a), (std::vector<int>{0, 20, 30, 40}));
  a.Remove(3);
  a.Remove(-1);
  a.Remove(3);
  EXPECT_EQ(contents(a), (std::vector<int>{0, 20, 30}));
  ASSERT_NE(a.First(), nullptr);
  EXPECT_EQ(*a.First(), 0);
  EXPECT_EQ(*a.Last(), 30);
}

TEST(Array, EmptyKeepsStorageDestroyReleasesIt) {
  TS_3dPointArray a;
  for (int i = 0; i < 100; ++i) {
    a.Append(TS_3dPoint(i, 0, 0));
  }
  a.Empty();
  EXPECT_EQ(a.Count(), 0);
  EXPECT_GE(a.Capacity(), 100);
  EXPECT_EQ(a.First(), nullptr);
  EXPECT_EQ(a.Last(), nullptr);
  a.Destroy();
  EXPECT_EQ(a.Capacity(), 0);
}

TEST(Array, CopiesOfNestedArraysAreIndependent) {
  TS_ClassArray<TS_3dPointArray> polylines;
  polylines.AppendNew().Append(TS_3dPoint(1, 2, 3));
  TS_ClassArray<TS_3dPointArray> copy = polylines;
  copy[0].Append(TS_3dPoint(4, 5, 6));
  copy[0][0].x = 99;

  ASSERT_EQ(polylines[0].Count(), 1);
  EXPECT_EQ(polylines[0][0], TS_3dPoint(1, 2, 3));
  EXPECT_EQ(copy[0].Count(), 2);

  polylines = copy;
  EXPECT_EQ(polylines[0].Count(), 2);
  EXPECT_EQ(polylines[0][0].x, 99);
}
