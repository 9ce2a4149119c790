// A user's style files are their work: loading one through the renderer,
// with the real Sketch and Cartoon plug-ins reading their sections, and
// saving it again must give back the file byte for byte.
#include <linvale/npr_installed_host.h>
#include <linvale/npr_render_settings.h>
#include <linvale/npr_renderer.h>

#include "../support/quiet_host.h"
#include "../support/temporary_home.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using linvale::test::ReadText;
using linvale::test::WriteText;

class StyleRoundTrip : public testing::Test {
protected:
  void SetUp() override { ASSERT_NE(mRenderer.OnLoad(), 0) << "the build's plug-ins did not load"; }

  // The file as a load followed by a save leaves it.
  std::string LoadAndSave(const std::string& text) {
    const std::string path = mHome / "style.npr";
    WriteText(path, text);
    NprRenderSettings settings;
    settings.SetConfigFileName(path.c_str());
    EXPECT_NE(settings.Load(path.c_str(), true), 0);
    EXPECT_NE(settings.Save(), 0);
    return ReadText(path);
  }

  linvale::test::TemporaryHome mHome;
  linvale::test::QuietHost mHost;
  NprInstalledHost mInstalled{mHost};
  NprRenderer mRenderer;
};

std::vector<std::filesystem::path> ShippedStyles() {
  std::vector<std::filesystem::path> styles;
  for (const char* folder : {SKETCH_STYLES_DIR, CARTOON_STYLES_DIR}) {
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
      if (entry.path().extension() == ".npr") {
        styles.push_back(entry.path());
      }
    }
  }
  std::sort(styles.begin(), styles.end());
  return styles;
}

std::string WithCrLf(const std::string& text) {
  std::string crlf;
  for (const char c : text) {
    crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
  }
  return crlf;
}

TEST_F(StyleRoundTrip, EveryShippedStyleIsSavedExactlyAsItWasLoaded) {
  const auto styles = ShippedStyles();
  ASSERT_EQ(styles.size(), 6u);
  for (const auto& style : styles) {
    const std::string text = ReadText(style.string());
    EXPECT_EQ(LoadAndSave(text), text) << style;
  }
}

const char* const kHandWrittenCartoon =
    "; Outlines for the catalogue, tuned by hand\n"
    "[Common]\n"
    "Current Render=Cartoon\n"
    "AmbientLightR=64\n"
    "AmbientLightG=128\n"
    "AmbientLightB=0\n"
    "BackgroundR=255\n"
    "BackgroundG=250\n"
    "BackgroundB=240\n"
    "WallPaper=\"/pics/bg.bmp\"\n"
    "OverwriteTarvikSettings=0\n"
    "Author=Ana\n"
    "Style=\"Quoted\"\n"
    "[Cartoon]\n"
    "disColorR=0\n"
    "disColorG=0\n"
    "disColorB=0\n"
    "disEdges=7\n"
    "endColorR=10\n"
    "endColorG=20\n"
    "endColorB=30\n"
    "endEdges=1\n"
    "shadow=200\n"
    "silColorR=0\n"
    "silColorG=0\n"
    "silColorB=0\n"
    "silEdges=1\n"
    "specular=-5\n"
    "thresholdDegree=190.000000\n"
    "varDiffuse=0.500000\n"
    "varDisColor=1.500000\n"
    "varEndColor=0.000000\n"
    "varShadow=0.300000\n"
    "varSilColor=0.000000\n"
    "varSpecular=0.700000\n"
    "widthDis=0\n"
    "widthEnd=2\n"
    "widthSil=12\n"
    "[Notes]\n"
    "printed=2026\n";

const char* const kHandWrittenSketch =
    "[Common]\n"
    "Current Render=Sketch\n"
    "AmbientLightR=128\n"
    "AmbientLightG=128\n"
    "AmbientLightB=128\n"
    "BackgroundR=255\n"
    "BackgroundG=255\n"
    "BackgroundB=255\n"
    "WallPaper='backgrounds/linen.png'\n"
    "OverwriteTarvikSettings=1\n"
    "Style=Rough draft\n"
    "[Sketch]\n"
    "; wide, many-lined strokes\n"
    "b_paper=1\n"
    "bseedRandom=1\n"
    "disEdges=1\n"
    "endEdges=1\n"
    "everySegment=1\n"
    "maxBlue=0.200000\n"
    "maxDir=-3.000000\n"
    "maxGreen=1.000000\n"
    "maxHue=0.400000\n"
    "maxInt=0.100000\n"
    "maxLength=0.001000\n"
    "maxRed=1.000000\n"
    "maxWavy=2.000000\n"
    "maxWidth=14.000000\n"
    "minBlue=0.900000\n"
    "minDir=5.000000\n"
    "minGreen=0.000000\n"
    "minHue=0.100000\n"
    "minInt=0.700000\n"
    "minRed=0.000000\n"
    "minWavy=5.000000\n"
    "minWidth=12.000000\n"
    "modeHue=2\n"
    "numLines=15\n"
    "paper=papers/laid.bmp\n"
    "randDir=1\n"
    "randWavy=1\n"
    "seedRandom=70000\n"
    "silEdges=1\n"
    "singleHueR=150\n"
    "singleHueG=0\n"
    "singleHueB=0\n"
    "textureFill=1\n"
    "textureMode=2\n"
    "thresholdDegree=157.000000\n"
    "varInt=1\n"
    "varWidth=1\n"
    "windowInt=0\n"
    "windowWavy=2000\n"
    "windowWidth=10\n"
    "Reviewer=Bo\n";

// Values past the ranges the property pages keep, quoted values, comments,
// keys and sections the renderer does not know, either line end.
TEST_F(StyleRoundTrip, HandWrittenStylesKeepEveryByte) {
  for (const std::string& text : {std::string(kHandWrittenCartoon), std::string(kHandWrittenSketch)}) {
    EXPECT_EQ(LoadAndSave(text), text);
    EXPECT_EQ(LoadAndSave(WithCrLf(text)), WithCrLf(text));
  }
}

}  // namespace
