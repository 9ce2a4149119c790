// Renders small scenes through the renderer and the real Sketch plug-in and
// checks what the pictures must show.
#include "sketch_render_support.h"

#include <linvale/npr_shader.h>
#include <linvale/npr_win32_owners.h>

#include <gtest/gtest.h>

#include <IL/il.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using sketch_test::Box;
using sketch_test::Coverage;
using sketch_test::Picture;
using sketch_test::SketchRenderFixture;

constexpr std::uint32_t kWhite = 0xFFFFFFU;

class SketchRender : public ::testing::Test {
protected:
  void SetUp() override {
    NprAppendMeshNode(mScene, Box({0, 0, 0}, 1.0), TS_Color(200, 80, 40));
    mFixture.Fit(mScene, mViewport, NprNamedView::Iso, TS::perspective_view);
  }

  // Where the cube covers the picture: its faces filled with their colour.
  Coverage CubeCoverage() {
    mFixture.SetKeys({{"silEdges", "0"}, {"textureFill", "1"}});
    const NprUniqueGdiObject<HBITMAP> filled(mFixture.Render(mScene, mViewport));
    EXPECT_NE(filled, nullptr);
    const Coverage coverage(Picture(filled.get()), kWhite);
    return coverage;
  }

  Picture RenderPicture() {
    const NprUniqueGdiObject<HBITMAP> bitmap(mFixture.Render(mScene, mViewport));
    EXPECT_NE(bitmap, nullptr);
    Picture picture(bitmap.get());
    return picture;
  }

  SketchRenderFixture mFixture;
  Scene mScene;
  TS_Viewport mViewport;
};

TEST_F(SketchRender, OutlineStrokesFollowTheSilhouetteAndStayOffTheFaces) {
  const Coverage cube = CubeCoverage();
  mFixture.SetKeys({});
  const Picture outline = RenderPicture();

  int dark = 0;
  for (int y = 0; y < outline.height; ++y) {
    for (int x = 0; x < outline.width; ++x) {
      if (outline.IsDark(x, y)) {
        ++dark;
        EXPECT_LE(cube.DistanceToBoundary(x, y, 3), 3) << "stroke pixel away from the outline at " << x << "," << y;
      }
    }
  }
  EXPECT_GT(dark, 200);
  // Every part of the outline is drawn: no boundary pixel of the cube lies
  // far from a stroke.
  int boundary = 0;
  int missed = 0;
  for (int y = 0; y < outline.height; ++y) {
    for (int x = 0; x < outline.width; ++x) {
      if (cube.Covered(x, y) && cube.DistanceToBoundary(x, y, 1) == 1) {
        ++boundary;
        bool nearStroke = false;
        for (int dy = -3; dy <= 3 && !nearStroke; ++dy) {
          for (int dx = -3; dx <= 3 && !nearStroke; ++dx) {
            const int px = x + dx;
            const int py = y + dy;
            nearStroke = px >= 0 && py >= 0 && px < outline.width && py < outline.height && outline.IsDark(px, py);
          }
        }
        missed += nearStroke ? 0 : 1;
      }
    }
  }
  EXPECT_GT(boundary, 100);
  EXPECT_LT(missed, boundary / 50);
}

// Dark pixels outside the model, farther than `distance` from its outline.
int DarkBeyond(const Picture& picture, const Coverage& model, int distance) {
  int count = 0;
  for (int y = 0; y < picture.height; ++y) {
    for (int x = 0; x < picture.width; ++x) {
      if (picture.IsDark(x, y) && !model.Covered(x, y) && model.DistanceToBoundary(x, y, distance) > distance) {
        ++count;
      }
    }
  }
  return count;
}

TEST_F(SketchRender, HiddenEdgesAreOccludedByTheFacesInFront) {
  Scene plateOnly;
  Scene plateAndCube;
  TS_Viewport front;
  // A plate between a front camera and the cube hides the cube completely.
  NprAppendMeshNode(plateAndCube, Box({-1.0, -3.5, -1.0}, 3.0), TS_Color(90, 90, 90));
  NprAppendMeshNode(plateAndCube, Box({0, 0, 0}, 1.0), TS_Color(200, 80, 40));
  NprAppendMeshNode(plateOnly, Box({-1.0, -3.5, -1.0}, 3.0), TS_Color(90, 90, 90));
  mFixture.Fit(plateAndCube, front, NprNamedView::Front, TS::parallel_view);
  ASSERT_GT(front.CameraDirection().y, 0.5) << "the plate must lie between camera and cube";
  NprAddDefaultLightIfNone(plateOnly, front);
  mFixture.SetKeys({{"disEdges", "1"}, {"endEdges", "1"}});

  const NprUniqueGdiObject<HBITMAP> both(mFixture.Render(plateAndCube, front));
  const NprUniqueGdiObject<HBITMAP> plate(mFixture.Render(plateOnly, front));
  Scene cubeOnly;
  NprAppendMeshNode(cubeOnly, Box({0, 0, 0}, 1.0), TS_Color(200, 80, 40));
  NprAddDefaultLightIfNone(cubeOnly, front);
  const NprUniqueGdiObject<HBITMAP> cube(mFixture.Render(cubeOnly, front));
  ASSERT_TRUE(both && plate && cube);
  // Without the plate the cube's edges show; behind it none of them do.
  EXPECT_NE(Picture(cube.get()), Picture(plate.get()));
  EXPECT_EQ(Picture(both.get()), Picture(plate.get()));
}

TEST_F(SketchRender, AFixedSeedRepeatsThePictureAndAnotherSeedChangesIt) {
  std::map<std::string, std::string> wild = {{"randWavy", "1"}, {"minWavy", "3"},  {"maxWavy", "8"},
                                             {"randDir", "1"},  {"varWidth", "1"}, {"maxWidth", "5"},
                                             {"varInt", "1"},   {"numLines", "2"}, {"seedRandom", "5"}};
  mFixture.SetKeys(wild);
  const Picture first = RenderPicture();
  const Picture again = RenderPicture();
  wild["seedRandom"] = "6";
  mFixture.SetKeys(wild);
  const Picture other = RenderPicture();
  EXPECT_EQ(first, again);
  EXPECT_NE(first, other);
}

TEST_F(SketchRender, MoreLinesPerEdgeOnlyWithWavyLines) {
  mFixture.SetKeys({{"randWavy", "1"}, {"minWavy", "4"}, {"maxWavy", "8"}, {"numLines", "1"}});
  const int oneLine = RenderPicture().CountDark();
  mFixture.SetKeys({{"randWavy", "1"}, {"minWavy", "4"}, {"maxWavy", "8"}, {"numLines", "4"}});
  const int fourLines = RenderPicture().CountDark();
  EXPECT_GT(fourLines, oneLine + oneLine / 4);

  mFixture.SetKeys({{"randWavy", "0"}, {"numLines", "1"}});
  const Picture straight = RenderPicture();
  mFixture.SetKeys({{"randWavy", "0"}, {"numLines", "4"}});
  EXPECT_EQ(RenderPicture(), straight);
}

TEST_F(SketchRender, RandomEndsOvershootTheCornersOfTheOutline) {
  const Coverage cube = CubeCoverage();
  mFixture.SetKeys({{"randDir", "0"}});
  EXPECT_EQ(DarkBeyond(RenderPicture(), cube, 3), 0);
  // Three hundredths of the picture width: about seven pixels.
  mFixture.SetKeys({{"randDir", "1"}, {"minDir", "3"}, {"maxDir", "3"}});
  EXPECT_GT(DarkBeyond(RenderPicture(), cube, 3), 20);
}

TEST_F(SketchRender, WidthVariationDrawsWiderLines) {
  mFixture.SetKeys({{"varWidth", "0"}, {"minWidth", "1"}});
  const int thin = RenderPicture().CountDark();
  mFixture.SetKeys({{"varWidth", "1"}, {"minWidth", "4"}, {"maxWidth", "8"}});
  const int varied = RenderPicture().CountDark();
  EXPECT_GT(varied, 2 * thin);
}

TEST_F(SketchRender, AntialiasingSmoothsTheStrokes) {
  mFixture.SetKeys({{"minWidth", "3"}});
  const Picture plain = RenderPicture();
  // Black strokes on white and nothing else.
  EXPECT_EQ(plain.CountColours(), 2U);
  mFixture.settings.SetAntialiasStyle(NprRenderSettings::AntialiasNormal);
  const Picture smoothed = RenderPicture();
  EXPECT_NE(smoothed, plain);
  mFixture.settings.SetAntialiasStyle(NprRenderSettings::AntialiasBest);
  const Picture best = RenderPicture();
  EXPECT_EQ(best.width, plain.width);
  // Reduced from twice the size: greys along every edge, and the fixed
  // width doubled at the large size comes back to about the same weight.
  EXPECT_GT(best.CountColours(), 4U);
  EXPECT_GT(best.CountDark(), plain.CountDark() / 2);
  EXPECT_LT(best.CountDark(), plain.CountDark() * 2);
}

std::vector<std::string> gMessageBoxTexts;

int RecordMessageBox(HWND, LPCSTR text, LPCSTR, UINT) {
  gMessageBoxTexts.emplace_back(text != nullptr ? text : "");
  return IDOK;
}

TEST_F(SketchRender, MissingBackgroundOrPaperDoesNotStopTheRender) {
  gMessageBoxTexts.clear();
  const MessageBoxHandler previous = SetMessageBoxHandler(&RecordMessageBox);
  const Picture plain = RenderPicture();

  mFixture.settings.SetBackgroundFileName((mFixture.home / "no-such-background.png").c_str());
  const Picture withoutBackground = RenderPicture();
  EXPECT_EQ(withoutBackground, plain);
  EXPECT_EQ(gMessageBoxTexts, std::vector<std::string>{"Error Background Image"});

  gMessageBoxTexts.clear();
  mFixture.settings.SetBackgroundFileName("");
  mFixture.SetKeys({{"b_paper", "1"}, {"paper", "no-such-paper.bmp"}});
  EXPECT_EQ(RenderPicture(), plain);
  EXPECT_TRUE(gMessageBoxTexts.empty());
  SetMessageBoxHandler(previous);
}

// A relative paper path names a file beside the style, wherever the style
// file lives; the file keeps the path as written.
TEST_F(SketchRender, ARelativePaperPathIsFoundBesideTheStyleFile) {
  const Picture plain = RenderPicture();
  std::filesystem::create_directories(mFixture.home / "papers");
  const std::vector<unsigned char> grey(4 * 4 * 3, 100);
  ILuint image = 0;
  ilGenImages(1, &image);
  ilBindImage(image);
  ilTexImage(4, 4, 1, 3, IL_RGB, IL_UNSIGNED_BYTE, const_cast<unsigned char*>(grey.data()));
  ilEnable(IL_FILE_OVERWRITE);
  ASSERT_TRUE(ilSave(IL_BMP, (mFixture.home / "papers/grey.bmp").c_str()));
  ilDeleteImages(1, &image);

  mFixture.SetKeys({{"b_paper", "1"}, {"paper", "papers/grey.bmp"}});
  const Picture papered = RenderPicture();
  // White times the grey paper is the paper's grey.
  EXPECT_NE(papered, plain);
  EXPECT_EQ(papered.At(0, 0), 0x646464u);
  EXPECT_NE(linvale::test::ReadText(mFixture.styleFile).find("paper=papers/grey.bmp\n"), std::string::npos);
}

bool EdgeCollectionsEmpty(Scene& scene) {
  for (Node* node = scene.First(); node != nullptr; node = node->m_next) {
    if (node->m_silPolylines.Count() + node->m_disPolylines.Count() + node->m_endPolylines.Count() +
            node->m_silLines.Count() + node->m_disLines.Count() + node->m_endLines.Count() !=
        0) {
      return false;
    }
  }
  return true;
}

TEST_F(SketchRender, CancelReturnsThePartialPictureAndEmptiesTheEdges) {
  mFixture.SetKeys({{"disEdges", "1"}, {"endEdges", "1"}});
  const Picture complete = RenderPicture();
  EXPECT_TRUE(EdgeCollectionsEmpty(mScene));

  // Cancelled once the faces have been shown: no stroke was drawn.
  mFixture.progress.cancelAfterPictures = 1;
  NprUniqueGdiObject<HBITMAP> partial(mFixture.Render(mScene, mViewport));
  ASSERT_NE(partial, nullptr);
  EXPECT_EQ(Picture(partial.get()).CountDark(), 0);
  EXPECT_GT(complete.CountDark(), 0);
  EXPECT_TRUE(EdgeCollectionsEmpty(mScene));
  const auto& tasks = mFixture.progress.tasks;
  EXPECT_EQ(std::count(tasks.begin(), tasks.end(), "Rendering Silhouettes edges..."), 0);

  // Cancelled after the creases (which took over the cube's outline from
  // the silhouettes): what was drawn stays, the borders never start.
  mFixture.progress.cancelAfterPictures = 3;
  partial.reset(mFixture.Render(mScene, mViewport));
  ASSERT_NE(partial, nullptr);
  EXPECT_EQ(Picture(partial.get()), complete);
  const auto& later = mFixture.progress.tasks;
  EXPECT_EQ(std::count(later.begin(), later.end(), "Rendering Discontinuity edges..."), 1);
  EXPECT_EQ(std::count(later.begin(), later.end(), "Rendering Border edges..."), 0);
  EXPECT_TRUE(EdgeCollectionsEmpty(mScene));
}

TEST_F(SketchRender, AnnouncedStepsAreTheStepsReported) {
  mFixture.settings.SetAntialiasStyle(NprRenderSettings::AntialiasNormal);
  for (const char* fill : {"0", "1"}) {
    for (const char* mode : {"0", "1", "2"}) {
      mFixture.SetKeys({{"disEdges", "1"}, {"textureFill", fill}, {"textureMode", mode}});
      const NprUniqueGdiObject<HBITMAP> bitmap(mFixture.Render(mScene, mViewport));
      ASSERT_NE(bitmap, nullptr);
      // The renderer's own antialiasing step is the last one counted.
      EXPECT_EQ(mFixture.progress.announcedSteps, mFixture.progress.reportedSteps) << fill << mode;
    }
  }
}

TEST_F(SketchRender, FillsColourTheFacesAndKeepTheOutline) {
  const Coverage cube = CubeCoverage();
  for (const char* mode : {"1", "2"}) {
    mFixture.SetKeys({{"textureFill", "1"}, {"textureMode", mode}});
    const Picture filled = RenderPicture();
    int reddish = 0;
    for (int y = 0; y < filled.height; ++y) {
      for (int x = 0; x < filled.width; ++x) {
        const std::uint32_t v = filled.At(x, y);
        const int red = static_cast<int>((v >> 16) & 0xFFU);
        const int blue = static_cast<int>(v & 0xFFU);
        if (cube.Covered(x, y) && cube.DistanceToBoundary(x, y, 4) > 4) {
          reddish += red > blue + 20 ? 1 : 0;
        } else if (!cube.Covered(x, y) && cube.DistanceToBoundary(x, y, 4) > 4) {
          EXPECT_EQ(v, kWhite) << "fill outside the model at " << x << "," << y;
        }
      }
    }
    EXPECT_GT(reddish, 3000) << mode;
  }
}

TEST_F(SketchRender, EachNodesTexturedFillTakesItsOwnMaterialsColour) {
  // A red cube (the fixture's), a blue one beside it and a second red one:
  // nodes of one material share their recoloured grain, others must not.
  NprAppendMeshNode(mScene, Box({1.5, 0, 0}, 1.0), TS_Color(40, 80, 200));
  NprAppendMeshNode(mScene, Box({3.0, 0, 0}, 1.0), TS_Color(200, 80, 40));
  mFixture.Fit(mScene, mViewport, NprNamedView::Front, TS::parallel_view);
  for (const char* mode : {"1", "2"}) {
    mFixture.SetKeys({{"silEdges", "0"}, {"textureFill", "1"}, {"textureMode", mode}});
    const Picture filled = RenderPicture();
    // Left, middle and right thirds of the picture hold one cube each.
    std::array<int, 3> reddish{};
    std::array<int, 3> bluish{};
    for (int y = 0; y < filled.height; ++y) {
      for (int x = 0; x < filled.width; ++x) {
        const std::uint32_t v = filled.At(x, y);
        const int red = static_cast<int>((v >> 16) & 0xFFU);
        const int blue = static_cast<int>(v & 0xFFU);
        const auto third = static_cast<std::size_t>(std::min(2, 3 * x / filled.width));
        reddish[third] += red > blue + 20 ? 1 : 0;
        bluish[third] += blue > red + 20 ? 1 : 0;
      }
    }
    EXPECT_GT(reddish[0], 1000) << mode;
    EXPECT_EQ(bluish[0], 0) << mode;
    EXPECT_GT(bluish[1], 1000) << mode;
    EXPECT_EQ(reddish[1], 0) << mode;
    EXPECT_GT(reddish[2], 1000) << mode;
    EXPECT_EQ(bluish[2], 0) << mode;
  }
}

// A box turned about the view axis, so that its faces meet the light at
// other angles than an upright box's.
TS_Mesh TurnedBox(const TS_3dPoint& offset, double size, double radians) {
  TS_Mesh box = Box(offset, size);
  for (int i = 0; i < box.VertexCount(); ++i) {
    const TS_3fPoint& v = box.Vertex(i);
    const double x = v.x - offset.x;
    const double y = v.y - offset.y;
    box.SetVertex(i, TS_3dPoint(offset.x + x * std::cos(radians) - y * std::sin(radians),
                                offset.y + x * std::sin(radians) + y * std::cos(radians), v.z));
  }
  return box;
}

TEST_F(SketchRender, EachNodesTexturedFillIsLitByItsOwnFaces) {
  // The light at the corners is worked out once for all three passes: the
  // upright box on the right must not change with the box drawn before it.
  const TS_Color colour(200, 80, 40);
  std::vector<Picture> pictures;
  for (const double turn : {0.5, 1.0}) {
    Scene scene;
    NprAppendMeshNode(scene, TurnedBox({0, 0, 0}, 1.0, turn), colour);
    NprAppendMeshNode(scene, Box({2.5, 0, 0}, 1.0), colour);
    // One view for both, fitted to the first.
    if (pictures.empty()) {
      mFixture.Fit(scene, mViewport, NprNamedView::Front, TS::parallel_view);
    } else {
      NprAddDefaultLightIfNone(scene, mViewport);
    }
    mFixture.SetKeys(
        {{"silEdges", "0"}, {"disEdges", "0"}, {"endEdges", "0"}, {"textureFill", "1"}, {"textureMode", "1"}});
    const NprUniqueGdiObject<HBITMAP> bitmap(mFixture.Render(scene, mViewport));
    ASSERT_NE(bitmap, nullptr);
    pictures.emplace_back(bitmap.get());
  }
  const Picture& first = pictures[0];
  int filled = 0;
  int differing = 0;
  for (int y = 0; y < first.height; ++y) {
    for (int x = first.width * 3 / 5; x < first.width; ++x) {
      filled += first.At(x, y) != kWhite ? 1 : 0;
      differing += first.At(x, y) != pictures[1].At(x, y) ? 1 : 0;
    }
  }
  EXPECT_GT(filled, 1000);
  EXPECT_EQ(differing, 0);
}

TEST_F(SketchRender, OutOfRangeStyleValuesStillRender) {
  mFixture.SetKeys({{"randWavy", "1"},
                    {"windowWavy", "0"},
                    {"numLines", "-3"},
                    {"varWidth", "1"},
                    {"windowWidth", "0"},
                    {"minWidth", "9"},
                    {"maxWidth", "2"},
                    {"varInt", "1"},
                    {"windowInt", "0"},
                    {"minInt", "0.9"},
                    {"maxInt", "0.1"},
                    {"modeHue", "9"},
                    {"seedRandom", "0"},
                    {"disEdges", "1"},
                    {"textureFill", "1"},
                    {"textureMode", "7"}});
  EXPECT_GT(RenderPicture().CountDark(), 100);
}

TEST_F(SketchRender, EmptySceneAndEveryProjectionRender) {
  Scene empty;
  const NprUniqueGdiObject<HBITMAP> blank(mFixture.Render(empty, mViewport));
  ASSERT_NE(blank, nullptr);
  EXPECT_EQ(Picture(blank.get()).CountColours(), 1U);
  for (auto projection : {TS::parallel_view, TS::perspective_view, TS::unknown_view}) {
    TS_Viewport viewport = mViewport;
    viewport.SetProjection(projection);
    const NprUniqueGdiObject<HBITMAP> bitmap(mFixture.Render(mScene, viewport));
    EXPECT_NE(bitmap, nullptr) << projection;
  }
}

TEST_F(SketchRender, ThePluginIdentifiesItselfAndKeepsItsStyleSafe) {
  ASSERT_GT(mFixture.renderer.OnLoad(), 0);
  NprShader* shader = NprShader::GetByTag("sketch");
  ASSERT_NE(shader, nullptr);
  EXPECT_STREQ(shader->GetName(0), "Sketch");
  EXPECT_STREQ(shader->GetTag(0), "Sketch");
  EXPECT_EQ(shader->GetReserved(0), nullptr);
  EXPECT_EQ(shader->GetDialog(0), nullptr);

  const NprUniqueGdiObject<HBITMAP> picture(shader->GetDefaultBitmap());
  ASSERT_NE(picture, nullptr);
  const Picture fixed(picture.get());
  EXPECT_EQ(fixed.width, 160);
  EXPECT_EQ(fixed.height, 160);
  EXPECT_GT(fixed.CountDark(), 300);

  linvale::test::WriteText(mFixture.styleFile, "[Sketch]\nwindowInt=0\nnumLines=40\nminDir=5\nmaxDir=1\n");
  EXPECT_EQ(shader->LoadSettings(mFixture.styleFile.c_str()), 1);
  const std::string saved = mFixture.home / "saved.npr";
  EXPECT_EQ(shader->SaveSettings(saved.c_str()), 1);
  const std::string text = linvale::test::ReadText(saved);
  // Kept as written; the render below brings them into range for itself.
  EXPECT_NE(text.find("windowInt=0\n"), std::string::npos);
  EXPECT_NE(text.find("numLines=40\n"), std::string::npos);
  EXPECT_NE(text.find("minDir=5.000000\n"), std::string::npos);
  EXPECT_EQ(shader->SaveSettings((mFixture.home / "missing/saved.npr").c_str()), 0);

  // The preview renders without a progress object or handle slots.
  const SIZE size{64, 48};
  mFixture.settings.SetImageSize(&size);
  const NprUniqueGdiObject<HBITMAP> preview(
      shader->Render(mViewport, mFixture.settings, &mScene, nullptr, nullptr, nullptr));
  ASSERT_NE(preview, nullptr);
  EXPECT_EQ(Picture(preview.get()).width, 64);
  EXPECT_GT(Picture(preview.get()).CountDark(), 0);
  EXPECT_TRUE(EdgeCollectionsEmpty(mScene));
}

}  // namespace
