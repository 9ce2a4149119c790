#include "cartoon_settings.h"
#include "render_steps.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(CartoonSettingsRanges, KeepValuesAtTheLimitsOfThePageRanges) {
  CartoonSettings settings;
  settings.widthSil = 10;
  settings.widthEnd = 1;
  settings.thresholdDegree = 180.0;
  settings.specular = 128;
  settings.shadow = 0;
  settings.varShadow = settings.varDiffuse = 0.4;
  const CartoonSettings before = settings;
  ClampToPageRanges(settings);
  EXPECT_EQ(settings, before);
}

TEST(CartoonSettingsRanges, BringOutOfRangeValuesToTheNearestLimit) {
  CartoonSettings settings;
  settings.silEdges = 7;
  settings.widthSil = 0;
  settings.widthEnd = 500;
  settings.varSilColor = 1.5;
  settings.varEndColor = -0.25;
  settings.varDisColor = NAN;
  settings.thresholdDegree = 400.0;
  settings.specular = -1;
  settings.shadow = 300;
  settings.varShadow = 0.3;
  settings.varDiffuse = 0.9;  // the base blend stops at the shadow blend
  ClampToPageRanges(settings);
  EXPECT_EQ(settings.silEdges, 1);
  EXPECT_EQ(settings.widthSil, 1);
  EXPECT_EQ(settings.widthEnd, 10);
  EXPECT_EQ(settings.varSilColor, 1.0);
  EXPECT_EQ(settings.varEndColor, 0.0);
  EXPECT_EQ(settings.varDisColor, 0.0);
  EXPECT_EQ(settings.thresholdDegree, 180.0);
  EXPECT_EQ(settings.specular, 0);
  EXPECT_EQ(settings.shadow, 128);
  EXPECT_EQ(settings.varDiffuse, 0.3);
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
