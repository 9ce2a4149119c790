// The Sketch style record: the ranges it is kept in, its style-file section
// read and written in a fixed key order, and the few plain rules around it.
#include "default_picture.h"
#include "fill_rules.h"
#include "render_steps.h"
#include "sketch_settings.h"
#include "sketch_style_file.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "support/temporary_home.h"

namespace linvale::sketch {

namespace {

using linvale::test::ReadText;
using linvale::test::TemporaryHome;
using linvale::test::WriteText;

void ExpectPageInvariants(const SketchSettings& s) {
  EXPECT_LE(s.minWavy, s.maxWavy);
  EXPECT_LE(s.minDir, s.maxDir);
  EXPECT_LE(s.minWidth, s.maxWidth);
  EXPECT_LE(s.minRed, s.maxRed);
  EXPECT_LE(s.minGreen, s.maxGreen);
  EXPECT_LE(s.minBlue, s.maxBlue);
  EXPECT_LE(s.minInt, s.maxInt);
  for (int atLeastOne : {s.windowWavy, s.windowWidth, s.windowInt, s.numLines, s.seedRandom}) {
    EXPECT_GE(atLeastOne, 1);
  }
  EXPECT_GE(s.minWidth, 1.0);
  EXPECT_LE(s.maxWidth, 10.0);
  EXPECT_LE(s.numLines, 10);
  EXPECT_GE(s.modeHue, 0);
  EXPECT_LE(s.modeHue, 2);
  EXPECT_GE(s.textureMode, 0);
  EXPECT_LE(s.textureMode, 2);
}

// Every member set away from its default, within the page ranges, so a
// round trip shows each key really travels.
SketchSettings Unusual() {
  SketchSettings s;
  s.silEdges = 0;
  s.endEdges = 0;
  s.disEdges = 0;
  s.thresholdDegree = 120.5;
  s.maxLength = 33.25;
  s.bseedRandom = 1;
  s.seedRandom = 4711;
  s.randWavy = 0;
  s.numLines = 4;
  s.windowWavy = 12;
  s.minWavy = 0.15;
  s.maxWavy = 2.5;
  s.randDir = 0;
  s.everySegment = 1;
  s.minDir = -3.5;
  s.maxDir = 7.25;
  s.varWidth = 0;
  s.windowWidth = 17;
  s.minWidth = 2.0;
  s.maxWidth = 9.0;
  s.modeHue = 2;
  s.singleHue = TS_Color(12, 34, 56);
  s.minHue = 0.3;
  s.maxHue = 0.7;
  s.minRed = 0.1;
  s.maxRed = 0.2;
  s.minGreen = 0.3;
  s.maxGreen = 0.4;
  s.minBlue = 0.5;
  s.maxBlue = 0.6;
  s.varInt = 0;
  s.windowInt = 42;
  s.minInt = 0.2;
  s.maxInt = 0.9;
  s.textureFill = 1;
  s.textureMode = 2;
  std::snprintf(s.paper, sizeof s.paper, "%s", "/papers/rough.png");
  s.b_paper = 1;
  return s;
}

TEST(SketchRanges, OutOfRangeValuesAreBroughtIntoThePageRanges) {
  SketchSettings s;
  s.windowWavy = 0;
  s.windowWidth = -4;
  s.windowInt = 0;
  s.numLines = 0;
  s.seedRandom = 0;
  s.minWavy = 5.0;
  s.maxWavy = 2.0;
  s.minDir = 2000.0;
  s.maxDir = -2000.0;
  s.minWidth = 9.0;
  s.maxWidth = 4.0;
  s.minRed = 0.8;
  s.maxRed = 0.3;
  s.minInt = std::numeric_limits<double>::quiet_NaN();
  s.maxInt = 7.0;
  s.modeHue = 7;
  s.textureMode = -1;
  s.thresholdDegree = 400.0;
  s.randDir = 5;
  ClampToPageRanges(s);
  ExpectPageInvariants(s);
  EXPECT_FALSE(std::isnan(s.minInt));
  EXPECT_EQ(s.maxDir, -1000.0);
  EXPECT_EQ(s.maxWidth, 4.0);
  EXPECT_EQ(s.minWidth, 4.0);
  EXPECT_EQ(s.thresholdDegree, 180.0);
  EXPECT_EQ(s.randDir, 1);
  EXPECT_EQ(s.numLines, 1);
  // Without width variation the minimum is the fixed width and may stay
  // above the unused maximum.
  s.varWidth = 0;
  s.minWidth = 9.0;
  ClampToPageRanges(s);
  EXPECT_EQ(s.minWidth, 9.0);
}

TEST(SketchRanges, ValuesInsideTheRangesAreKept) {
  const SketchSettings unusual = Unusual();
  SketchSettings kept = unusual;
  ClampToPageRanges(kept);
  // Every member, not a sample: a clamp that touched any in-range value
  // would change a style's look without anyone asking.
  EXPECT_TRUE(kept == unusual);
}

class SketchStyleFile : public ::testing::Test {
protected:
  TemporaryHome mHome;
  std::string mFile = mHome / "style.npr";
};

TEST_F(SketchStyleFile, SavingAndLoadingReproducesEveryMember) {
  ASSERT_TRUE(WriteSketchSection(mFile.c_str(), Unusual()));
  SketchSettings loaded;
  ReadSketchSection(mFile.c_str(), loaded);
  // Every member of Unusual() differs from its default, so a key that did
  // not travel would be written back differently.
  const std::string again = mHome / "again.npr";
  ASSERT_TRUE(WriteSketchSection(again.c_str(), loaded));
  EXPECT_EQ(ReadText(again), ReadText(mFile));
  EXPECT_STREQ(loaded.paper, "/papers/rough.png");
  EXPECT_DOUBLE_EQ(loaded.minDir, -3.5);
  EXPECT_EQ(static_cast<std::uint32_t>(loaded.singleHue), static_cast<std::uint32_t>(TS_Color(12, 34, 56)));
}

TEST_F(SketchStyleFile, KeysAreWrittenInTheirFixedOrderAndFormats) {
  SketchSettings s;
  s.thresholdDegree = 1.0 / 3.0;
  ASSERT_TRUE(WriteSketchSection(mFile.c_str(), s));
  const std::string text = ReadText(mFile);
  const char* order[] = {
      "b_paper=",  "bseedRandom=", "disEdges=",   "endEdges=",   "everySegment=", "maxBlue=",     "maxDir=",
      "maxGreen=", "maxHue=",      "maxInt=",     "maxLength=",  "maxRed=",       "maxWavy=",     "maxWidth=",
      "minBlue=",  "minDir=",      "minGreen=",   "minHue=",     "minInt=",       "minRed=",      "minWavy=",
      "minWidth=", "modeHue=",     "numLines=",   "paper=",      "randDir=",      "randWavy=",    "seedRandom=",
      "silEdges=", "singleHueR=",  "singleHueG=", "singleHueB=", "textureFill=",  "textureMode=", "thresholdDegree=",
      "varInt=",   "varWidth=",    "windowInt=",  "windowWavy=", "windowWidth="};
  std::size_t at = text.find("[Sketch]");
  ASSERT_NE(at, std::string::npos);
  for (const char* key : order) {
    const std::size_t next = text.find(std::string("\n") + key, at);
    ASSERT_NE(next, std::string::npos) << key << " missing or out of order";
    at = next + 1;
  }
  EXPECT_NE(text.find("thresholdDegree=0.333333\n"), std::string::npos);
  EXPECT_NE(text.find("singleHueR=150\n"), std::string::npos);
  EXPECT_NE(text.find("maxWavy=0.400000\n"), std::string::npos);
}

TEST_F(SketchStyleFile, MissingKeysLeaveMembersButZeroTheColourAndFill) {
  WriteText(mFile, "[Common]\nStyle=Empty\n[Sketch]\n");
  SketchSettings s = Unusual();
  ReadSketchSection(mFile.c_str(), s);
  EXPECT_EQ(s.seedRandom, 4711);
  EXPECT_DOUBLE_EQ(s.minDir, -3.5);
  EXPECT_STREQ(s.paper, "/papers/rough.png");
  EXPECT_EQ(static_cast<std::uint32_t>(s.singleHue), 0U);
  EXPECT_EQ(s.textureFill, 0);
  EXPECT_EQ(s.textureMode, 0);
  // An empty value reads like a missing key: the other members stay, the
  // always-applied ones become 0, and an empty paper means no paper.
  WriteText(mFile, "[Sketch]\nsingleHueG=\ntextureFill=\ntextureMode=\nseedRandom=\npaper=\n");
  SketchSettings empty = Unusual();
  ReadSketchSection(mFile.c_str(), empty);
  EXPECT_EQ(empty.seedRandom, 4711);
  EXPECT_STREQ(empty.paper, "");
  EXPECT_EQ(static_cast<std::uint32_t>(empty.singleHue), 0U);
  EXPECT_EQ(empty.textureFill, 0);
  EXPECT_EQ(empty.textureMode, 0);
  // A file that does not exist reads like an empty section.
  SketchSettings missing = Unusual();
  ReadSketchSection((mHome / "absent.npr").c_str(), missing);
  EXPECT_EQ(missing.numLines, 4);
  EXPECT_EQ(missing.textureFill, 0);
}

TEST_F(SketchStyleFile, PaperPathsAreKeptAsWrittenAndResolvedAgainstTheStyleFolderWhenUsed) {
  WriteText(mFile, "[Sketch]\npaper=papers/laid.bmp\n");
  SketchSettings s;
  ReadSketchSection(mFile.c_str(), s);
  EXPECT_STREQ(s.paper, "papers/laid.bmp");
  EXPECT_EQ(ResolvePaperPath(s.paper, mFile.c_str()), mHome / "papers/laid.bmp");
  EXPECT_EQ(ResolvePaperPath("/abs/laid.bmp", mFile.c_str()), "/abs/laid.bmp");
  EXPECT_EQ(ResolvePaperPath("", mFile.c_str()), "");
  // Saved as written, so the style keeps working when its folder moves.
  const std::string copy = mHome / "copy.npr";
  ASSERT_TRUE(WriteSketchSection(copy.c_str(), s));
  EXPECT_NE(ReadText(copy).find("paper=papers/laid.bmp\n"), std::string::npos);

  WriteText(mFile, "[Sketch]\npaper=/" + std::string(299, 'p') + "\n");
  ReadSketchSection(mFile.c_str(), s);
  EXPECT_EQ(std::string(s.paper), "/" + std::string(253, 'p'));
}

TEST_F(SketchStyleFile, NumbersAreReadLikeTheRuntimeReadsThem) {
  WriteText(mFile, "[Sketch]\nnumLines=3 lines\nminDir=-2.5e0x\nseedRandom=99999999999999\nmodeHue=abc\n");
  SketchSettings s;
  ReadSketchSection(mFile.c_str(), s);
  EXPECT_EQ(s.numLines, 3);
  EXPECT_DOUBLE_EQ(s.minDir, -2.5);
  EXPECT_EQ(s.seedRandom, std::numeric_limits<std::int32_t>::max());
  EXPECT_EQ(s.modeHue, 0);
}

TEST_F(SketchStyleFile, AFailedWriteIsReported) {
  const std::string unreachable = mHome / "no-such-folder/style.npr";
  EXPECT_FALSE(WriteSketchSection(unreachable.c_str(), SketchSettings()));
}

TEST(SketchRenderSteps, StepCountFollowsFlagsAndNodes) {
  SketchSettings s;
  // Setting up, three edge kinds and edges, faces: 1 + 5 x (N + 1).
  EXPECT_EQ(SketchStepCount(s, {false, false, 4}), 26);
  EXPECT_EQ(SketchStepCount(s, {true, true, 4}), 28);
  s.silEdges = s.disEdges = s.endEdges = 0;
  s.b_paper = 1;
  EXPECT_EQ(SketchStepCount(s, {false, false, 0}), 3);
  s.textureFill = 1;
  s.textureMode = 1;
  EXPECT_EQ(SketchStepCount(s, {false, false, 2}), 1 + 1 + 3 + 6);
  s.textureMode = 0;
  EXPECT_EQ(SketchStepCount(s, {false, false, 2}), 1 + 1 + 3);
}

TEST(SketchFill, PassesRecolourTheGrainTowardsMaterialLightAndShadow) {
  EXPECT_EQ(FillPassImageNumber(1), 2);
  EXPECT_EQ(FillPassImageNumber(2), 1);
  EXPECT_EQ(FillPassImageNumber(3), 3);
  for (const double material : {0.0, 0.4, 1.0}) {
    for (const double background : {0.0, 1.0}) {
      // Pass 1: dark grain takes the material colour, light grain the
      // background, and grain in between lies between the two.
      EXPECT_DOUBLE_EQ(RecolourGrain(1, 0.0, material, background), material);
      EXPECT_DOUBLE_EQ(RecolourGrain(1, 1.0, material, background), background);
    }
    // Pass 2 only lightens, up to white for light grain; pass 3 only
    // darkens, leaving light grain at the material colour. Both follow the
    // grain: lighter grain never gives a darker colour.
    EXPECT_DOUBLE_EQ(RecolourGrain(2, 1.0, material, 0.0), 1.0);
    EXPECT_DOUBLE_EQ(RecolourGrain(3, 1.0, material, 0.0), material);
    double previous2 = -1.0, previous3 = -2.0;
    for (int step = 0; step <= 10; ++step) {
      const double grain = step / 10.0;
      const double lightened = RecolourGrain(2, grain, material, 0.0);
      const double darkened = RecolourGrain(3, grain, material, 0.0);
      EXPECT_GE(lightened, material - 1e-12) << grain;
      EXPECT_LE(darkened, material + 1e-12) << grain;
      EXPECT_GE(lightened, previous2) << grain;
      EXPECT_GE(darkened, previous3) << grain;
      EXPECT_GE(RecolourGrain(1, grain, material, 1.0), material - 1e-12) << grain;
      previous2 = lightened;
      previous3 = darkened;
    }
  }

  EXPECT_EQ(FillVertexColour(1, 1.7), (std::array<double, 4>{1, 1, 1, 1}));
  EXPECT_EQ(FillVertexColour(2, -0.5), (std::array<double, 4>{1, 1, 1, 0}));
  EXPECT_EQ(FillVertexColour(3, -0.5), (std::array<double, 4>{0, 0, 0, 1}));
  EXPECT_EQ(FillVertexColour(3, 1.5), (std::array<double, 4>{1, 1, 1, 0}));
  const std::array<double, 4> half = FillVertexColour(3, 0.25);
  EXPECT_DOUBLE_EQ(half[0], 0.5);
  EXPECT_DOUBLE_EQ(half[3], std::sqrt(0.75));
}

TEST(SketchDefaultPicture, ShowsDarkStrokesOnWhite) {
  const std::vector<std::uint32_t> pixels = DrawDefaultPicture();
  ASSERT_EQ(pixels.size(), static_cast<std::size_t>(kDefaultPictureSize * kDefaultPictureSize));
  int white = 0;
  int dark = 0;
  for (std::uint32_t p : pixels) {
    white += (p & 0xFFFFFFU) == 0xFFFFFFU ? 1 : 0;
    dark += ((p >> 16) & 0xFFU) < 128U ? 1 : 0;
  }
  EXPECT_GT(white, static_cast<int>(pixels.size()) / 2);
  EXPECT_GT(dark, 500);
  EXPECT_EQ(DrawDefaultPicture(), pixels);
}

}  // namespace

}  // namespace linvale::sketch
