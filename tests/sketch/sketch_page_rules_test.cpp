#include "sketch_page_rules.h"

#include <gtest/gtest.h>

#include <string_view>

namespace linvale::sketch {

namespace {

// Types `text` into `field` as an edit would: unaccepted text changes
// nothing.
bool Type(SketchSettings& settings, SketchField field, std::string_view text) {
  const std::optional<double> value = ParseSketchText(TextKindOf(field), text);
  return value && StoreTypedSketchValue(settings, field, *value);
}

TEST(SketchPageRules, EditsAcceptOnlyTheirKindOfText) {
  EXPECT_EQ(ParseSketchText(SketchTextKind::Whole, "-4"), -4.0);
  EXPECT_FALSE(ParseSketchText(SketchTextKind::Whole, "4.5"));
  EXPECT_EQ(ParseSketchText(SketchTextKind::Digits, "12"), 12.0);
  EXPECT_FALSE(ParseSketchText(SketchTextKind::Digits, "-1"));
  EXPECT_EQ(ParseSketchText(SketchTextKind::Real, "1.5e1"), 15.0);
  EXPECT_EQ(ParseSketchText(SketchTextKind::Real, "2."), 2.0);
  for (const char* refused : {"", "1,5", "0x1", "inf", "nan", " 1", "1-"}) {
    EXPECT_FALSE(ParseSketchText(SketchTextKind::Real, refused)) << refused;
  }
  // Colour ranges wait for the digit after a point.
  EXPECT_FALSE(ParseSketchText(SketchTextKind::RealComplete, "0."));
  EXPECT_EQ(ParseSketchText(SketchTextKind::RealComplete, "0.5"), 0.5);
}

TEST(SketchPageRules, ThresholdTypedHighStopsAt180AndStepsByHalves) {
  SketchSettings settings;
  EXPECT_TRUE(Type(settings, SketchField::ThresholdDegree, "200"));
  EXPECT_EQ(settings.thresholdDegree, 180.0);
  EXPECT_TRUE(StepSketchValue(settings, SketchField::ThresholdDegree, -1));
  EXPECT_EQ(settings.thresholdDegree, 179.5);
  EXPECT_TRUE(Type(settings, SketchField::ThresholdDegree, "-3"));
  EXPECT_EQ(settings.thresholdDegree, 0.0);
  EXPECT_FALSE(StepSketchValue(settings, SketchField::ThresholdDegree, -1));
}

TEST(SketchPageRules, CountsStayWithinTheirLimits) {
  SketchSettings settings;
  settings.numLines = 4;
  EXPECT_TRUE(Type(settings, SketchField::NumLines, "0"));
  EXPECT_EQ(settings.numLines, 1);
  EXPECT_TRUE(Type(settings, SketchField::NumLines, "15"));
  EXPECT_EQ(settings.numLines, 10);
  EXPECT_FALSE(StepSketchValue(settings, SketchField::NumLines, 1));
  EXPECT_TRUE(Type(settings, SketchField::SeedRandom, "70000"));
  EXPECT_EQ(settings.seedRandom, 65535);
  EXPECT_TRUE(Type(settings, SketchField::WindowInt, "101"));
  EXPECT_EQ(settings.windowInt, 100);
  EXPECT_TRUE(Type(settings, SketchField::WindowWavy, "5000"));
  EXPECT_EQ(settings.windowWavy, 1000);
}

TEST(SketchPageRules, EqualValuesAreNoChange) {
  SketchSettings settings;
  settings.numLines = 3;
  EXPECT_FALSE(Type(settings, SketchField::NumLines, "3"));
  EXPECT_FALSE(Type(settings, SketchField::NumLines, "3x"));
  EXPECT_EQ(settings.numLines, 3);
}

TEST(SketchPageRules, EndsMinAboveMaxStoresTheMaxAndGoesDownToMinus1000) {
  SketchSettings settings;
  settings.minDir = 0.2;
  settings.maxDir = 0.6;
  EXPECT_TRUE(Type(settings, SketchField::MinDir, "5"));
  EXPECT_EQ(settings.minDir, 0.6);
  EXPECT_TRUE(Type(settings, SketchField::MinDir, "-5000"));
  EXPECT_EQ(settings.minDir, -1000.0);
  EXPECT_FALSE(StepSketchValue(settings, SketchField::MinDir, -1));
  EXPECT_TRUE(Type(settings, SketchField::MaxDir, "-2000"));
  EXPECT_EQ(settings.maxDir, -1000.0);
}

TEST(SketchPageRules, WavyStepsAreAsymmetric) {
  SketchSettings settings;
  settings.minWavy = 0.0;
  settings.maxWavy = 0.12;
  EXPECT_TRUE(StepSketchValue(settings, SketchField::MinWavy, 1));
  EXPECT_DOUBLE_EQ(settings.minWavy, 0.05);
  EXPECT_TRUE(StepSketchValue(settings, SketchField::MinWavy, 1));
  EXPECT_TRUE(StepSketchValue(settings, SketchField::MinWavy, 1));
  EXPECT_DOUBLE_EQ(settings.minWavy, 0.12);  // the next step would pass the max
  settings.minWavy = 0.03;
  EXPECT_TRUE(StepSketchValue(settings, SketchField::MinWavy, -1));
  EXPECT_EQ(settings.minWavy, 0.0);
  settings.minWavy = 0.1;
  EXPECT_TRUE(StepSketchValue(settings, SketchField::MaxWavy, -1));
  EXPECT_DOUBLE_EQ(settings.maxWavy, 0.1);  // not below the min
  settings.maxWavy = 0.04;
  EXPECT_FALSE(StepSketchValue(settings, SketchField::MaxWavy, -1));
}

TEST(SketchPageRules, FixedWidthStepsPastTheMaxOnlyWithoutVariation) {
  SketchSettings settings;
  settings.minWidth = 8.0;
  settings.maxWidth = 8.0;
  settings.varWidth = 1;
  EXPECT_FALSE(StepSketchValue(settings, SketchField::MinWidth, 1));
  settings.varWidth = 0;
  EXPECT_TRUE(StepSketchValue(settings, SketchField::MinWidth, 1));
  EXPECT_EQ(settings.minWidth, 9.0);
  settings.minWidth = 10.0;
  EXPECT_FALSE(StepSketchValue(settings, SketchField::MinWidth, 1));
  settings.minWidth = 4.0;
  settings.maxWidth = 5.0;
  EXPECT_TRUE(StepSketchValue(settings, SketchField::MaxWidth, -1));
  EXPECT_FALSE(StepSketchValue(settings, SketchField::MaxWidth, -1));
  EXPECT_EQ(settings.maxWidth, 4.0);
  EXPECT_TRUE(Type(settings, SketchField::MinWidth, "0"));
  EXPECT_EQ(settings.minWidth, 1.0);
}

TEST(SketchPageRules, HueAndColourRangesStepByTenths) {
  SketchSettings settings;
  settings.minHue = 0.9;
  settings.maxHue = 0.9;
  EXPECT_FALSE(StepSketchValue(settings, SketchField::MinHue, 1));
  EXPECT_TRUE(StepSketchValue(settings, SketchField::MaxHue, 1));
  EXPECT_DOUBLE_EQ(settings.maxHue, 1.0);
  EXPECT_TRUE(Type(settings, SketchField::MinHue, "7"));
  EXPECT_EQ(settings.minHue, 1.0);
  settings.minHue = 0.1;
  EXPECT_TRUE(StepSketchValue(settings, SketchField::MinHue, -1));
  EXPECT_EQ(settings.minHue, 0.0);  // not a tiny remainder

  settings.minRed = 0.0;
  settings.maxRed = 0.35;
  EXPECT_TRUE(Type(settings, SketchField::MinRed, "0.9"));
  EXPECT_EQ(settings.minRed, 0.35);
  EXPECT_TRUE(StepSketchValue(settings, SketchField::MaxRed, 1));
  EXPECT_DOUBLE_EQ(settings.maxRed, 0.45);
  EXPECT_TRUE(Type(settings, SketchField::MaxRed, "0.1"));
  EXPECT_EQ(settings.maxRed, 0.35);  // not below the min
  EXPECT_FALSE(Type(settings, SketchField::MaxRed, "1."));
  EXPECT_EQ(settings.maxRed, 0.35);
}

TEST(SketchPageRules, SwitchesEnableTheirControls) {
  SketchSettings settings;
  settings.varWidth = 1;
  EXPECT_STREQ(SketchEnablesOf(settings).minWidthLabel, "Min.");
  settings.varWidth = 0;
  EXPECT_FALSE(SketchEnablesOf(settings).widthVariation);
  EXPECT_STREQ(SketchEnablesOf(settings).minWidthLabel, "Width");

  settings.modeHue = 2;  // "Multiple color:"
  EXPECT_FALSE(SketchEnablesOf(settings).singleColor);
  EXPECT_FALSE(SketchEnablesOf(settings).hueLessPlus);
  EXPECT_TRUE(SketchEnablesOf(settings).colorRanges);
  settings.modeHue = 1;
  EXPECT_TRUE(SketchEnablesOf(settings).singleColor);
  EXPECT_TRUE(SketchEnablesOf(settings).hueLessPlus);
  EXPECT_FALSE(SketchEnablesOf(settings).colorRanges);
  settings.modeHue = 0;
  EXPECT_FALSE(SketchEnablesOf(settings).singleColor);
  EXPECT_TRUE(SketchEnablesOf(settings).hueLessPlus);

  settings.disEdges = 0;
  settings.textureFill = 0;
  EXPECT_FALSE(SketchEnablesOf(settings).threshold);
  EXPECT_FALSE(SketchEnablesOf(settings).fillModes);
}

TEST(SketchPageRules, OpeningWithVariationBringsTheMinDownToTheMax) {
  SketchSettings settings;
  settings.minWidth = 7.0;
  settings.maxWidth = 5.0;
  settings.varWidth = 0;
  MendWidthsOnOpen(settings);
  EXPECT_EQ(settings.minWidth, 7.0);
  settings.varWidth = 1;
  MendWidthsOnOpen(settings);
  EXPECT_EQ(settings.minWidth, 5.0);
}

}  // namespace

}  // namespace linvale::sketch
