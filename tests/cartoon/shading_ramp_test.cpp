#include "shading_ramp.h"

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <limits>
#include <utility>

namespace linvale::cartoon {

namespace {

const RampColor kMaterial{0.8f, 0.4f, 0.0f};
const RampColor kAmbient{0.0f, 0.0f, 1.0f};

CartoonSettings Bands(int shadow, int specular) {
  CartoonSettings settings;
  settings.shadow = shadow;
  settings.specular = specular;
  settings.varShadow = 0.8;
  settings.varDiffuse = 0.2;
  settings.varSpecular = 0.5;
  return settings;
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

// Each run of entries [first, last] must hold the band colour given.
using Run = std::pair<std::pair<int, int>, RampColor BandColors::*>;

void ExpectRuns(const CartoonSettings& settings, std::initializer_list<Run> runs) {
  const ShadingRamp ramp = BuildShadingRamp(settings, kMaterial, kAmbient);
  const BandColors colors = MakeBandColors(settings, kMaterial, kAmbient);
  int next = 0;
  for (const auto& [range, band] : runs) {
    ASSERT_EQ(range.first, next);
    for (int entry = range.first; entry <= range.second; ++entry) {
      EXPECT_EQ(ramp[static_cast<std::size_t>(entry)], colors.*band) << "entry " << entry;
    }
    next = range.second + 1;
  }
  EXPECT_EQ(next, kRampEntries);
}

TEST(ShadingRamp, BandsEndWhereTheSettingsSayAndEarlierBandsWinOverlaps) {
  ExpectRuns(Bands(64, 20), {{{0, 58}, &BandColors::shadow},
                             {{59, 68}, &BandColors::shadowToBase},
                             {{69, 230}, &BandColors::base},
                             {{231, 240}, &BandColors::baseToHighlight},
                             {{241, 255}, &BandColors::highlight}});
  // Narrowest: neither the pure shadow nor the pure highlight is used.
  ExpectRuns(
      Bands(0, 0),
      {{{0, 4}, &BandColors::shadowToBase}, {{5, 250}, &BandColors::base}, {{251, 255}, &BandColors::baseToHighlight}});
  // Widest: no base band.
  ExpectRuns(
      Bands(128, 128),
      {{{0, 122}, &BandColors::shadow}, {{123, 132}, &BandColors::shadowToBase}, {{133, 255}, &BandColors::highlight}});
}

// Styles keep values past the page ranges; the ramp lays them out by the
// same rule, however large, and a blend that is not a number mixes nothing.
TEST(ShadingRamp, ValuesBeyondThePageRangesAreLaidOutByTheSameRule) {
  ExpectRuns(Bands(200, 0), {{{0, 194}, &BandColors::shadow},
                             {{195, 204}, &BandColors::shadowToBase},
                             {{205, 250}, &BandColors::base},
                             {{251, 255}, &BandColors::baseToHighlight}});
  constexpr int kMost = std::numeric_limits<int>::max();
  constexpr int kLeast = std::numeric_limits<int>::min();
  ExpectRuns(Bands(kMost, kLeast), {{{0, 255}, &BandColors::shadow}});
  ExpectRuns(Bands(kLeast, kMost), {{{0, 255}, &BandColors::highlight}});

  CartoonSettings notANumber = Bands(64, 20);
  notANumber.varShadow = notANumber.varSpecular = NAN;
  const BandColors colors = MakeBandColors(notANumber, kMaterial, kAmbient);
  ExpectColor(colors.shadow, kMaterial.red, kMaterial.green, kMaterial.blue);
  ExpectColor(colors.highlight, kMaterial.red, kMaterial.green, kMaterial.blue);
}

TEST(ShadingRamp, LightValuesSelectEntriesLikeAClampedNearestTexture) {
  EXPECT_EQ(RampEntryFor(-0.5), 0);
  EXPECT_EQ(RampEntryFor(NAN), 0);
  EXPECT_EQ(RampEntryFor(0.5), 128);
  EXPECT_EQ(RampEntryFor(0.999), 255);
  EXPECT_EQ(RampEntryFor(1.0), 255);
  EXPECT_EQ(RampEntryFor(3.0), 255);
}

}  // namespace

}  // namespace linvale::cartoon
