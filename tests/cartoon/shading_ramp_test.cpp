#include "shading_ramp.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cmath>

namespace {

CartoonSettings Bands(int shadow, int specular) {
  CartoonSettings settings;
  settings.shadow = shadow;
  settings.specular = specular;
  // Distinct blends so that every band colour differs from the others.
  settings.varShadow = 0.8;
  settings.varDiffuse = 0.2;
  settings.varSpecular = 0.5;
  return settings;
}

const RampColor kMaterial{0.8f, 0.4f, 0.0f};
const RampColor kAmbient{0.0f, 0.0f, 1.0f};

// The band each entry belongs to, by comparing with the band colours.
enum class Band { Shadow, ShadowToBase, Base, BaseToHighlight, Highlight };

Band BandOf(const RampColor& entry, const BandColors& colors) {
  if (entry == colors.shadow) return Band::Shadow;
  if (entry == colors.shadowToBase) return Band::ShadowToBase;
  if (entry == colors.base) return Band::Base;
  if (entry == colors.baseToHighlight) return Band::BaseToHighlight;
  EXPECT_EQ(entry, colors.highlight);
  return Band::Highlight;
}

void ExpectBands(const CartoonSettings& settings, int from, int to, Band band) {
  const ShadingRamp ramp = BuildShadingRamp(settings, kMaterial, kAmbient);
  const BandColors colors = MakeBandColors(settings, kMaterial, kAmbient);
  for (int entry = from; entry <= to; ++entry) {
    EXPECT_EQ(BandOf(ramp[static_cast<std::size_t>(entry)], colors), band) << "entry " << entry;
  }
}

void ExpectColor(const RampColor& color, float red, float green, float blue) {
  EXPECT_NEAR(color.red, red, 1e-6);
  EXPECT_NEAR(color.green, green, 1e-6);
  EXPECT_NEAR(color.blue, blue, 1e-6);
}

TEST(ShadingRamp, BandColoursBlendTheMaterialTowardsAmbientAndWhite) {
  const BandColors colors = MakeBandColors(Bands(64, 20), kMaterial, kAmbient);
  ExpectColor(colors.shadow, 0.16f, 0.08f, 0.8f);
  ExpectColor(colors.base, 0.64f, 0.32f, 0.2f);
  ExpectColor(colors.highlight, 0.9f, 0.7f, 0.5f);
  ExpectColor(colors.shadowToBase, 0.4f, 0.2f, 0.5f);
  ExpectColor(colors.baseToHighlight, 0.77f, 0.51f, 0.35f);
}

TEST(ShadingRamp, NarrowestBandsLeaveOnlyTransitionsAtTheEnds) {
  const CartoonSettings settings = Bands(0, 0);
  ExpectBands(settings, 0, 4, Band::ShadowToBase);
  ExpectBands(settings, 5, 250, Band::Base);
  ExpectBands(settings, 251, 255, Band::BaseToHighlight);
}

TEST(ShadingRamp, WidestBandsLeaveNoBase) {
  const CartoonSettings settings = Bands(128, 128);
  ExpectBands(settings, 0, 122, Band::Shadow);
  ExpectBands(settings, 123, 132, Band::ShadowToBase);
  ExpectBands(settings, 133, 255, Band::Highlight);
}

TEST(ShadingRamp, TypicalBandsEndWhereTheSettingsSay) {
  const CartoonSettings settings = Bands(64, 20);
  ExpectBands(settings, 0, 58, Band::Shadow);
  ExpectBands(settings, 59, 68, Band::ShadowToBase);
  ExpectBands(settings, 69, 230, Band::Base);
  ExpectBands(settings, 231, 240, Band::BaseToHighlight);
  ExpectBands(settings, 241, 255, Band::Highlight);
}

TEST(ShadingRamp, EqualShadowAndBaseBlendsHideTheShadowBand) {
  CartoonSettings settings = Bands(64, 20);
  settings.varShadow = settings.varDiffuse = 0.3;
  const ShadingRamp ramp = BuildShadingRamp(settings, kMaterial, kAmbient);
  EXPECT_EQ(ramp[0], ramp[100]);
  EXPECT_EQ(ramp[60], ramp[100]);
}

TEST(ShadingRamp, LightValuesSelectEntriesLikeAClampedNearestTexture) {
  EXPECT_EQ(RampEntryFor(-0.5), 0);
  EXPECT_EQ(RampEntryFor(0.0), 0);
  EXPECT_EQ(RampEntryFor(NAN), 0);
  EXPECT_EQ(RampEntryFor(0.5), 128);
  EXPECT_EQ(RampEntryFor(0.999), 255);
  EXPECT_EQ(RampEntryFor(1.0), 255);
  EXPECT_EQ(RampEntryFor(3.0), 255);
}

TEST(ShadingRamp, ColorrefBytesBecomeFractions) {
  ExpectColor(RampColorFrom(RGB(255, 0, 51)), 1.0f, 0.0f, 0.2f);
}

}  // namespace
