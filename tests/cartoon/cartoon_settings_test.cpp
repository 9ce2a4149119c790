#include "cartoon_settings.h"
#include "render_steps.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

namespace linvale::cartoon {

namespace {

TEST(CartoonValuesInUse, WidthsBelowOnePixelDrawOnePixelWideAndOthersAsWritten) {
  EXPECT_EQ(DrawableLineWidth(0), 1);
  EXPECT_EQ(DrawableLineWidth(-7), 1);
  EXPECT_EQ(DrawableLineWidth(std::numeric_limits<std::int32_t>::min()), 1);
  EXPECT_EQ(DrawableLineWidth(1), 1);
  EXPECT_EQ(DrawableLineWidth(12), 12);
  EXPECT_EQ(UsableBlend(NAN), 0.0);
  EXPECT_EQ(UsableBlend(0.25), 0.25);
  EXPECT_EQ(UsableBlend(1.5), 1.5);
}

TEST(CartoonStepCount, CountsPhasesPerNodeAndTheAntialiasStep) {
  CartoonSettings all;
  all.silEdges = all.endEdges = all.disEdges = 1;
  // 5 for set-up and faces, 3 kinds x 3, 3 + 1 for edges, 1 for antialiasing.
  EXPECT_EQ(CartoonStepCount(3, all, 2), 19);
  EXPECT_EQ(CartoonStepCount(3, all, 0), 18);
  CartoonSettings silhouettes = all;
  silhouettes.endEdges = silhouettes.disEdges = 0;
  EXPECT_EQ(CartoonStepCount(4, silhouettes, 1), 16);
  CartoonSettings none = silhouettes;
  none.silEdges = 0;
  EXPECT_EQ(CartoonStepCount(4, none, 0), 6);
  EXPECT_EQ(CartoonStepCount(0, none, 1), 3);
}

}  // namespace

}  // namespace linvale::cartoon
