#include "cartoon_style_file.h"

#include "../support/temporary_home.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace {

using linvale::test::ReadText;
using linvale::test::TemporaryHome;
using linvale::test::WriteText;

class CartoonStyleFile : public testing::Test {
protected:
  std::string StylePath(const std::string& name = "style.npr") const { return mHome / name; }

  TemporaryHome mHome;
};

CartoonSettings UnusualSettings() {
  CartoonSettings settings;
  settings.silEdges = 0;
  settings.widthSil = 7;
  settings.silColor = TS_Color(10, 20, 30);
  settings.varSilColor = 0.25;
  settings.endEdges = 1;
  settings.widthEnd = 4;
  settings.endColor = TS_Color(255, 128, 0);
  settings.varEndColor = 0.123456;
  settings.disEdges = 0;
  settings.widthDis = 9;
  settings.disColor = TS_Color(1, 2, 3);
  settings.varDisColor = 1.0;
  settings.thresholdDegree = 122.5;
  settings.specular = 3;
  settings.shadow = 101;
  settings.varShadow = 0.9;
  settings.varDiffuse = 0.33;
  settings.varSpecular = 0.01;
  return settings;
}

TEST_F(CartoonStyleFile, SavedSettingsLoadBackUnchanged) {
  const CartoonSettings saved = UnusualSettings();
  ASSERT_TRUE(WriteCartoonSettings(StylePath().c_str(), saved));
  CartoonSettings loaded;
  ReadCartoonSettings(StylePath().c_str(), loaded);
  EXPECT_EQ(loaded, saved);
}

TEST_F(CartoonStyleFile, KeysAreWrittenInOrderWithIntegersAndSixDecimals) {
  ASSERT_TRUE(WriteCartoonSettings(StylePath().c_str(), UnusualSettings()));
  std::istringstream text(ReadText(StylePath()));
  std::vector<std::string> lines;
  for (std::string line; std::getline(text, line);) {
    if (!line.empty() && line.back() == '\r') {
      line.pop_back();
    }
    lines.push_back(line);
  }
  const std::vector<std::string> expected = {
      "[Cartoon]",          "disColorR=1",          "disColorG=2",          "disColorB=3",
      "disEdges=0",         "endColorR=255",        "endColorG=128",        "endColorB=0",
      "endEdges=1",         "shadow=101",           "silColorR=10",         "silColorG=20",
      "silColorB=30",       "silEdges=0",           "specular=3",           "thresholdDegree=122.500000",
      "varDiffuse=0.330000", "varDisColor=1.000000", "varEndColor=0.123456", "varShadow=0.900000",
      "varSilColor=0.250000", "varSpecular=0.010000", "widthDis=9",          "widthEnd=4",
      "widthSil=7"};
  EXPECT_EQ(lines, expected);
}

TEST_F(CartoonStyleFile, MissingColourKeysMakeEveryLineColourBlackAndLeaveTheRest) {
  WriteText(StylePath(), "[Cartoon]\nwidthSil=4\n");
  CartoonSettings settings = UnusualSettings();
  ReadCartoonSettings(StylePath().c_str(), settings);
  CartoonSettings expected = UnusualSettings();
  expected.widthSil = 4;
  expected.silColor = expected.endColor = expected.disColor = TS_Color(0, 0, 0);
  EXPECT_EQ(settings, expected);
}

TEST_F(CartoonStyleFile, ColourComponentsAreAppliedTogetherMissingOnesAsZero) {
  WriteText(StylePath(), "[Cartoon]\nsilColorG=200\nendColorR=300\nendColorB=-5\n");
  CartoonSettings settings = UnusualSettings();
  ReadCartoonSettings(StylePath().c_str(), settings);
  EXPECT_EQ(settings.silColor, TS_Color(0, 200, 0));
  EXPECT_EQ(settings.endColor, TS_Color(255, 0, 0));
  EXPECT_EQ(settings.disColor, TS_Color(0, 0, 0));
}

TEST_F(CartoonStyleFile, ValuesOutsideThePageRangesAreClampedOnLoading) {
  WriteText(StylePath(), "[Cartoon]\nwidthSil=50\nwidthDis=0\nshadow=-4\nspecular=999999999999\n"
                         "varShadow=0.2\nvarDiffuse=0.9\nthresholdDegree=nan\nsilEdges=3\n");
  CartoonSettings settings;
  ReadCartoonSettings(StylePath().c_str(), settings);
  EXPECT_EQ(settings.widthSil, 10);
  EXPECT_EQ(settings.widthDis, 1);
  EXPECT_EQ(settings.shadow, 0);
  EXPECT_EQ(settings.specular, 128);
  EXPECT_EQ(settings.varShadow, 0.2);
  EXPECT_EQ(settings.varDiffuse, 0.2);
  EXPECT_EQ(settings.thresholdDegree, 0.0);
  EXPECT_EQ(settings.silEdges, 1);
}

TEST_F(CartoonStyleFile, NumbersAreReadLikeTheCRuntimeReadsThem) {
  WriteText(StylePath(), "[Cartoon]\nwidthSil= +6px\nvarShadow=.75 \nshadow=abc\nspecular=12.9\n");
  CartoonSettings settings;
  ReadCartoonSettings(StylePath().c_str(), settings);
  EXPECT_EQ(settings.widthSil, 6);
  EXPECT_EQ(settings.varShadow, 0.75);
  EXPECT_EQ(settings.shadow, 0);
  EXPECT_EQ(settings.specular, 12);
}

TEST_F(CartoonStyleFile, AMissingFileOnlyBlackensTheColours) {
  CartoonSettings settings = UnusualSettings();
  ReadCartoonSettings(StylePath("absent.npr").c_str(), settings);
  CartoonSettings expected = UnusualSettings();
  expected.silColor = expected.endColor = expected.disColor = TS_Color(0, 0, 0);
  EXPECT_EQ(settings, expected);
}

TEST_F(CartoonStyleFile, SavingWhereNoFileCanBeWrittenReportsFailure) {
  // The folder of the style is a regular file, so nothing can be created.
  WriteText(StylePath("blocker"), "not a folder");
  const std::string path = (std::filesystem::path(StylePath("blocker")) / "style.npr").string();
  EXPECT_FALSE(WriteCartoonSettings(path.c_str(), UnusualSettings()));
  EXPECT_FALSE(WriteCartoonSettings(nullptr, UnusualSettings()));
}

}  // namespace
