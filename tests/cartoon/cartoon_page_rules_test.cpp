#include "cartoon_page_rules.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

namespace linvale::cartoon {

namespace {

TEST(CartoonPageRules, LineWidthsStayBetweenOneAndTen) {
  EXPECT_EQ(TypedLineWidth(0), 1);
  EXPECT_EQ(TypedLineWidth(-5), 1);
  EXPECT_EQ(TypedLineWidth(4), 4);
  EXPECT_EQ(TypedLineWidth(15), 10);
  EXPECT_EQ(SteppedLineWidth(10, 1), 10);
  EXPECT_EQ(SteppedLineWidth(1, -1), 1);
  EXPECT_EQ(SteppedLineWidth(5, 1), 6);
  EXPECT_EQ(SteppedLineWidth(5, -3), 2);
}

TEST(CartoonPageRules, ThresholdIsTypedWholeAndSteppedByHalves) {
  EXPECT_DOUBLE_EQ(TypedThreshold(200), 180.0);
  EXPECT_DOUBLE_EQ(SteppedThreshold(TypedThreshold(200), -1), 179.5);
  EXPECT_DOUBLE_EQ(SteppedThreshold(180.0, 1), 180.0);
  EXPECT_DOUBLE_EQ(TypedThreshold(-3), 0.0);
  EXPECT_DOUBLE_EQ(SteppedThreshold(0.0, -1), 0.0);
  EXPECT_DOUBLE_EQ(SteppedThreshold(140.0, 3), 141.5);
}

TEST(CartoonPageRules, SlidersMapToTheirMembers) {
  EXPECT_DOUBLE_EQ(BlendFromSlider(37), 0.37);
  EXPECT_EQ(SliderFromBlend(0.7), 70);
  EXPECT_EQ(SliderFromBlend(BlendFromSlider(29)), 29);
  // The angle sliders count from the top.
  EXPECT_EQ(AngleFromSlider(0), 128);
  EXPECT_EQ(AngleFromSlider(128), 0);
  EXPECT_EQ(SliderFromAngle(24), 104);
}

TEST(CartoonPageRules, BaseNeverPassesShadow) {
  EXPECT_DOUBLE_EQ(BaseBlendFromSlider(90, 0.6), 0.6);
  EXPECT_DOUBLE_EQ(BaseBlendFromSlider(20, 0.6), 0.2);
  EXPECT_DOUBLE_EQ(ShadowBlendFromSlider(10, 0.3), 0.3);
  EXPECT_DOUBLE_EQ(ShadowBlendFromSlider(80, 0.3), 0.8);
}

CartoonSettings Bands(int shadow, int specular) {
  CartoonSettings settings;
  settings.shadow = shadow;
  settings.specular = specular;
  settings.varShadow = 0.5;
  settings.varDiffuse = 0.25;
  settings.varSpecular = 0.5;
  return settings;
}

TEST(CartoonPageRules, PreviewRampHasThreeHardBands) {
  const std::array<float, kPreviewRampSize> ramp = PreviewRamp(Bands(100, 30));
  const float shadow = 0.5f * 0.8f;
  const float base = 0.75f * 0.8f;
  const float highlight = 0.5f + 0.5f * 0.8f;
  EXPECT_FLOAT_EQ(ramp[0], shadow);
  EXPECT_FLOAT_EQ(ramp[99], shadow);
  EXPECT_FLOAT_EQ(ramp[100], base);
  EXPECT_FLOAT_EQ(ramp[225], base);
  EXPECT_FLOAT_EQ(ramp[226], highlight);
  EXPECT_FLOAT_EQ(ramp[255], highlight);
}

TEST(CartoonPageRules, PreviewRampWithBothAnglesAtTheTopHasNoBase) {
  const std::array<float, kPreviewRampSize> ramp = PreviewRamp(Bands(128, 128));
  EXPECT_FLOAT_EQ(ramp[127], 0.4f);
  EXPECT_FLOAT_EQ(ramp[128], 0.9f);
  EXPECT_EQ(std::set<float>(ramp.begin(), ramp.end()).size(), 2u);
}

TEST(CartoonPageRules, HemisphereLiesOnItsSphereBelowTheEquator) {
  const std::vector<PreviewVector> triangles = PreviewHemisphere();
  ASSERT_EQ(triangles.size(), 40u * 20u * 6u);
  double lowest = 0.0;
  for (const PreviewVector& point : triangles) {
    EXPECT_NEAR(std::hypot(point.x, point.y, point.z), 8.0, 1e-9);
    EXPECT_LE(point.z, 1e-12);
    lowest = std::min(lowest, point.z);
  }
  EXPECT_NEAR(lowest, -8.0, 1e-9);
}

TEST(CartoonPageRules, RampCoordinateFollowsTheLight) {
  EXPECT_NEAR(PreviewRampCoordinate(kPreviewLight), 1.0, 1e-12);
  EXPECT_NEAR(PreviewRampCoordinate({kPreviewLight.x * 5, kPreviewLight.y * 5, kPreviewLight.z * 5}), 1.0, 1e-12);
  EXPECT_DOUBLE_EQ(PreviewRampCoordinate({-kPreviewLight.x, -kPreviewLight.y, -kPreviewLight.z}), 0.0);
  EXPECT_DOUBLE_EQ(PreviewRampCoordinate({0.0, 0.0, 0.0}), 0.0);
  const double upperLeft = PreviewRampCoordinate({-1.0, 1.0, 0.0});
  const double lowerRight = PreviewRampCoordinate({1.0, -1.0, 0.0});
  EXPECT_GT(upperLeft, 0.5);
  EXPECT_DOUBLE_EQ(lowerRight, 0.0);
}

}  // namespace

}  // namespace linvale::cartoon
