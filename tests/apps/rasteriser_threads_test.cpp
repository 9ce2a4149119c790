// npr-render rasterises on its drawing thread unless the user asked for
// a thread count of their own.
#include "../../apps/npr-render/rasteriser_threads.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

using npr_render::RasteriseOnDrawingThread;
using npr_render::RasteriserThreadsToSet;

TEST(RasteriserThreads, NoChoiceMeansTheDrawingThread) {
  EXPECT_EQ(RasteriserThreadsToSet(nullptr), "0");
  EXPECT_EQ(RasteriserThreadsToSet(""), "0");
}

TEST(RasteriserThreads, TheUsersChoiceIsKept) {
  EXPECT_EQ(RasteriserThreadsToSet("0"), std::nullopt);
  EXPECT_EQ(RasteriserThreadsToSet("4"), std::nullopt);
}

TEST(RasteriserThreads, TheProcessEnvironmentCarriesIt) {
  unsetenv("LP_NUM_THREADS");
  RasteriseOnDrawingThread();
  ASSERT_NE(std::getenv("LP_NUM_THREADS"), nullptr);
  EXPECT_STREQ(std::getenv("LP_NUM_THREADS"), "0");

  setenv("LP_NUM_THREADS", "3", 1);
  RasteriseOnDrawingThread();
  EXPECT_STREQ(std::getenv("LP_NUM_THREADS"), "3");
  unsetenv("LP_NUM_THREADS");
}

}  // namespace
