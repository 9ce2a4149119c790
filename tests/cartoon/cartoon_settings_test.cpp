#include "cartoon_settings.h"
#include "render_steps.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(CartoonSettingsRanges, ValuesInsideThePageRangesAreKept) {
  CartoonSettings settings;
  settings.widthSil = 10;
  settings.widthEnd = 1;
  settings.thresholdDegree = 179.5;
  settings.specular = 128;
  settings.shadow = 0;
  settings.varShadow = 0.4;
  settings.varDiffuse = 0.4;
  const CartoonSettings before = settings;
  ClampToPageRanges(settings);
  EXPECT_EQ(settings, before);
}

TEST(CartoonSettingsRanges, OutOfRangeValuesAreBroughtToTheNearestLimit) {
  CartoonSettings settings;
  settings.silEdges = 7;
  settings.endEdges = -1;
  settings.widthSil = 0;
  settings.widthEnd = 500;
  settings.widthDis = -3;
  settings.varSilColor = 1.5;
  settings.varEndColor = -0.25;
  settings.thresholdDegree = 400.0;
  settings.specular = -1;
  settings.shadow = 300;
  settings.varSpecular = 2.0;
  ClampToPageRanges(settings);
  EXPECT_EQ(settings.silEdges, 1);
  EXPECT_EQ(settings.endEdges, 1);
  EXPECT_EQ(settings.widthSil, 1);
  EXPECT_EQ(settings.widthEnd, 10);
  EXPECT_EQ(settings.widthDis, 1);
  EXPECT_EQ(settings.varSilColor, 1.0);
  EXPECT_EQ(settings.varEndColor, 0.0);
  EXPECT_EQ(settings.thresholdDegree, 180.0);
  EXPECT_EQ(settings.specular, 0);
  EXPECT_EQ(settings.shadow, 128);
  EXPECT_EQ(settings.varSpecular, 1.0);
}

TEST(CartoonSettingsRanges, BaseBlendNeverPassesTheShadowBlend) {
  CartoonSettings settings;
  settings.varShadow = 0.3;
  settings.varDiffuse = 0.9;
  ClampToPageRanges(settings);
  EXPECT_EQ(settings.varShadow, 0.3);
  EXPECT_EQ(settings.varDiffuse, 0.3);
}

TEST(CartoonSettingsRanges, NotANumberTakesTheLowEnd) {
  CartoonSettings settings;
  settings.thresholdDegree = NAN;
  settings.varShadow = NAN;
  settings.varSilColor = NAN;
  ClampToPageRanges(settings);
  EXPECT_EQ(settings.thresholdDegree, 0.0);
  EXPECT_EQ(settings.varShadow, 0.0);
  EXPECT_EQ(settings.varSilColor, 0.0);
  EXPECT_EQ(settings.varDiffuse, 0.0);
}

TEST(CartoonSettingsRanges, TheDefaultStyleIsInsideTheRanges) {
  CartoonSettings settings;
  const CartoonSettings before = settings;
  ClampToPageRanges(settings);
  EXPECT_EQ(settings, before);
}

TEST(CartoonStepCount, CountsPhasesPerNodeAndTheAntialiasStep) {
  CartoonSettings all;
  all.silEdges = all.endEdges = all.disEdges = 1;
  // 5 + 3 kinds x 3 + (3 + 1) for edges, + 1 for antialiasing.
  EXPECT_EQ(CartoonStepCount(3, all, 2), 19);
  EXPECT_EQ(CartoonStepCount(3, all, 0), 18);

  CartoonSettings silhouettesOnly = all;
  silhouettesOnly.endEdges = silhouettesOnly.disEdges = 0;
  EXPECT_EQ(CartoonStepCount(4, silhouettesOnly, 1), 6 + 4 + 5 + 1);

  CartoonSettings none = all;
  none.silEdges = none.endEdges = none.disEdges = 0;
  EXPECT_FALSE(DrawsAnyEdges(none));
  EXPECT_EQ(CartoonStepCount(4, none, 0), 6);
  EXPECT_EQ(CartoonStepCount(0, none, 1), 3);
}

}  // namespace
