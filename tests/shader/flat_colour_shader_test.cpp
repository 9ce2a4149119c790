// The plug-in written from the plug-in guide alone, loaded through the
// registry from a folder of its own and rendered without the renderer: a
// cube in its material colour with the edges its style switches on.
#include <linvale/npr_render_settings.h>
#include <linvale/npr_renderer.h>
#include <linvale/npr_shader.h>
#include <linvale/npr_win32_owners.h>
#include <linvale/scene_builder.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "support/bitmap_helpers.h"
#include "support/feature_meshes.h"
#include "support/temporary_home.h"

namespace {

constexpr std::uint32_t kBackground = 0xFFFFFF;
constexpr std::uint32_t kMaterial = 0x3080C0;  // 0xRRGGBB
constexpr std::uint32_t kLine = 0x000000;
constexpr int kWidth = 160;
constexpr int kHeight = 120;

class StepCounter : public NprRenderer::Progress {
public:
  void SetStepCount(int steps) override { announced = steps; }
  void Step(int steps, HBITMAP) override { reported += steps; }
  void SetResult(HBITMAP) override {}
  void SetTaskName(const char*) override {}
  bool IsCanceled() override { return cancelAfterSteps >= 0 && reported >= cancelAfterSteps; }

  int announced = -1;
  int reported = 0;
  int cancelAfterSteps = -1;
};

class FlatColourPlugin : public ::testing::Test {
protected:
  void SetUp() override {
    TS_Light light;
    TS_Viewport view;
    ASSERT_EQ(NprShader::LoadFolder(FLAT_COLOUR_PLUGIN_DIR, light, view, false), 1u);
    mShader = NprShader::GetByTag("flatcolour");
    ASSERT_NE(mShader, nullptr);

    const TS_Color material(static_cast<unsigned char>(kMaterial >> 16), static_cast<unsigned char>(kMaterial >> 8),
                            static_cast<unsigned char>(kMaterial));
    ASSERT_NE(NprAppendMeshNode(mScene, test_meshes::sharedCornerCube(), material), nullptr);
    ASSERT_TRUE(NprFitViewportToScene(mViewport, mScene, NprNamedView::Iso, TS::parallel_view, kWidth, kHeight));
    const SIZE size{kWidth, kHeight};
    mSettings.SetImageSize(&size);
    mSettings.SetBackgroundColor(RGB(255, 255, 255));
  }
  void TearDown() override { NprShader::UnLoadAll(); }

  // Renders with `keys` as the shader's section; the pixels as 0xRRGGBB.
  linvale::test::Colours32 Render(const std::string& keys) {
    const std::string style = mHome / "flat.npr";
    linvale::test::WriteText(style, "[FlatColour]\nLineColor=0\n" + keys);
    EXPECT_EQ(mShader->LoadSettings(style.c_str()), 1);
    const NprUniqueGdiObject<HBITMAP> bitmap(
        mShader->Render(mViewport, mSettings, &mScene, &mProgress, nullptr, nullptr));
    EXPECT_NE(bitmap, nullptr);
    linvale::test::Colours32 picture = linvale::test::ReadColours32(bitmap.get());
    return picture;
  }

  static std::uint32_t At(const linvale::test::Colours32& picture, int x, int y) {
    return picture
        .values[static_cast<std::size_t>(y) * static_cast<std::size_t>(picture.width) + static_cast<std::size_t>(x)];
  }
  static long Count(const linvale::test::Colours32& picture, std::uint32_t colour) {
    return std::count(picture.values.begin(), picture.values.end(), colour);
  }

  linvale::test::TemporaryHome mHome;
  NprShader* mShader = nullptr;
  Scene mScene;
  TS_Viewport mViewport;
  NprRenderSettings mSettings;
  StepCounter mProgress;
};

TEST_F(FlatColourPlugin, FacesTakeTheMaterialColourAndTheOutlineSurroundsThem) {
  const linvale::test::Colours32 picture = Render("silEdges=1\ndisEdges=0\nendEdges=0\n");
  ASSERT_EQ(picture.width, kWidth);
  ASSERT_EQ(picture.height, kHeight);
  EXPECT_EQ(At(picture, kWidth / 2, kHeight / 2), kMaterial);
  EXPECT_EQ(At(picture, 0, 0), kBackground);
  EXPECT_EQ(At(picture, kWidth - 1, kHeight - 1), kBackground);
  // Along the middle row the model begins with its outline.
  int x = 0;
  while (x < kWidth / 2 && At(picture, x, kHeight / 2) == kBackground) {
    ++x;
  }
  EXPECT_EQ(At(picture, x, kHeight / 2), kLine);
  EXPECT_EQ(mProgress.reported, mProgress.announced);
  // The render's edges are gone again.
  EXPECT_EQ(mScene.First()->m_silLines.Count(), 0);
}

TEST_F(FlatColourPlugin, TheSwitchesAndTheCreaseThresholdDecideWhichLinesAreDrawn) {
  const long outline = Count(Render("silEdges=1\ndisEdges=0\nendEdges=0\n"), kLine);
  ASSERT_GT(outline, 0);

  const linvale::test::Colours32 none = Render("silEdges=0\ndisEdges=0\nendEdges=0\n");
  EXPECT_EQ(Count(none, kLine), 0);
  EXPECT_GT(Count(none, kMaterial), 0);
  EXPECT_EQ(mProgress.announced, 1 + 1);

  // The cube's edges fold by 90 degrees: a threshold of 140 degrees makes
  // them creases, the three inner edges of the iso view among them; one of
  // 80 does not.
  const long creases = Count(Render("silEdges=0\ndisEdges=1\nthresholdDegree=140\n"), kLine);
  EXPECT_GT(creases, outline);
  EXPECT_EQ(Count(Render("silEdges=0\ndisEdges=1\nthresholdDegree=80\n"), kLine), 0);
  // A closed cube has no borders.
  EXPECT_EQ(Count(Render("silEdges=0\ndisEdges=0\nendEdges=1\n"), kLine), 0);
}

TEST_F(FlatColourPlugin, ACancelReturnsWhatWasDrawnSoFar) {
  // One step for the cube's edges, one for its faces: the lines never come.
  mProgress.cancelAfterSteps = 2;
  const linvale::test::Colours32 picture = Render("silEdges=1\n");
  EXPECT_LT(mProgress.reported, mProgress.announced);
  EXPECT_EQ(At(picture, kWidth / 2, kHeight / 2), kMaterial);
  EXPECT_EQ(Count(picture, kLine), 0);
  EXPECT_EQ(mScene.First()->m_silLines.Count(), 0);
}

}  // namespace
