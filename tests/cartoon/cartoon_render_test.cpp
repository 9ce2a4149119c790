// Renders through the renderer on the software GL implementation and checks
// the pictures where the Cartoon rules fix them exactly.
#include "cartoon_render_support.h"

#include <linvale/npr_win32_owners.h>
#include <linvale/scene_builder.h>

#include <IL/il.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace cartoon_test {
namespace {

// Pictures of 200 x 200 pixels cover -1.25..1.25 in x and y.
constexpr int kSize = 200;
constexpr double kPixel = 2.5 / kSize;
double World(int pixel) { return -1.25 + (pixel + 0.5) * kPixel; }
int PixelAt(double world) { return static_cast<int>(std::floor((world + 1.25) / kPixel)); }

// With material (200, 100, 0), ambient (0, 0, 200) and the test style, the
// bands are: shadow halfway to the ambient light, base the material,
// highlight halfway to white, and the averages of neighbours between them.
const TS_Color kMaterial(200, 100, 0);
struct Rgb {
  double red, green, blue;
};
constexpr std::array<Rgb, 5> kBands{
    {{100, 50, 100}, {150, 75, 50}, {200, 100, 0}, {213.75, 138.75, 63.75}, {227.5, 177.5, 127.5}}};
constexpr Rgb kShadow = kBands[0];
constexpr Rgb kHighlight = kBands[4];

bool Matches(std::uint32_t pixel, const Rgb& colour, double tolerance = 1.0) {
  return std::abs(double((pixel >> 16) & 0xFF) - colour.red) <= tolerance &&
         std::abs(double((pixel >> 8) & 0xFF) - colour.green) <= tolerance &&
         std::abs(double(pixel & 0xFF) - colour.blue) <= tolerance;
}

TS_Light Directional(TS_3dVector direction) {
  TS_Light light;
  light.SetStyle(TS::world_directional_light);
  light.SetDirection(direction);
  return light;
}

bool AllEdgesEmptied(Scene& scene) {
  for (Node* node = scene.First(); node != nullptr; node = node->m_next) {
    if (node->m_silLines.Count() + node->m_endLines.Count() + node->m_disLines.Count() != 0) {
      return false;
    }
  }
  return true;
}

// Dark pixels (outline) in `row` between two columns.
int DarkRun(const Picture& picture, int row, int from, int to) {
  int dark = 0;
  for (int column = from; column < to; ++column) {
    const std::uint32_t p = picture.At(column, row);
    dark += ((p & 0xFF) + ((p >> 8) & 0xFF) + ((p >> 16) & 0xFF)) < 250 ? 1 : 0;
  }
  return dark;
}

class CartoonRender : public testing::Test {
protected:
  // A unit sphere lit from +x, seen from above: a pixel's light value is
  // its x, so its band is fixed by its column alone.
  Picture RenderLitSphere(bool withLight) {
    Scene scene;
    NprAppendMeshNode(scene, Sphere(1.0), kMaterial);
    if (withLight) {
      scene.Lights().Append(Directional({-1, 0, 0}));
    }
    return fixture.RenderPicture(scene, view);
  }

  // A white square of side 1 lit straight from the front, borders on; its
  // right border crosses the middle row at column 140.
  Picture RenderSquare(const std::map<std::string, std::string>& keys) {
    Scene scene;
    NprAppendMeshNode(scene, Square(0.5), TS_Color(255, 255, 255));
    scene.Lights().Append(Directional({0, 0, -1}));
    fixture.SetKeys(keys);
    return fixture.RenderPicture(scene, view);
  }

  // Three small spheres side by side.
  void FillThreeSpheres(Scene& scene) {
    for (const double x : {-0.8, 0.0, 0.8}) {
      NprAppendMeshNode(scene, Sphere(0.3, x), kMaterial);
    }
    scene.Lights().Append(Directional({0, 0, -1}));
  }

  CartoonRenderFixture fixture;
  TS_Viewport view = TopView(1.25);
};

TEST_F(CartoonRender, ShadesInHardBandsThatFollowTheLightAndUsesNoOtherColour) {
  const Picture picture = RenderLitSphere(true);
  ASSERT_EQ(picture.width, kSize);
  // Ramp entries: shadow below 59, transitions 59-68 and 219-228, highlight
  // from 229. The light value of the dark half is 0.
  const auto band = [](double entry) {
    return entry < 59 ? 0 : entry < 69 ? 1 : entry < 219 ? 2 : entry < 229 ? 3 : 4;
  };
  int checked = 0;
  for (int row = 0; row < kSize; ++row) {
    for (int column = 0; column < kSize; ++column) {
      const double x = World(column);
      const double radius = std::hypot(x, World(row));
      const std::uint32_t pixel = picture.At(column, row);
      if (radius > 1.02) {
        EXPECT_EQ(pixel, 0xFFFFFFu);
      }
      if (radius > 0.98) {
        continue;  // the polygonal rim
      }
      const double entry = std::max(0.0, x) * 256.0;
      EXPECT_TRUE(std::any_of(kBands.begin(), kBands.end(), [&](const Rgb& c) { return Matches(pixel, c); }))
          << std::hex << pixel;
      constexpr std::array<double, 4> kBandEdges{59, 69, 219, 229};
      const bool nearBandEdge =
          std::any_of(kBandEdges.begin(), kBandEdges.end(), [&](double edge) { return std::abs(entry - edge) < 1.5; });
      if (!nearBandEdge) {
        EXPECT_TRUE(Matches(pixel, kBands[static_cast<std::size_t>(band(entry))])) << column << "," << row;
        ++checked;
      }
    }
  }
  EXPECT_GT(checked, 18000);
}

TEST_F(CartoonRender, WithoutLightsEveryFaceTakesTheShadowColour) {
  const Picture picture = RenderLitSphere(false);
  ASSERT_EQ(picture.width, kSize);
  for (int row = 20; row < kSize - 20; row += 3) {
    for (int column = 20; column < kSize - 20; column += 3) {
      if (std::hypot(World(column), World(row)) < 0.98) {
        EXPECT_TRUE(Matches(picture.At(column, row), kShadow)) << column << "," << row;
      }
    }
  }
}

TEST_F(CartoonRender, AFaceTurnedStraightToTheLightTakesTheHighlightNotTheShadow) {
  const Picture picture = RenderSquare({});
  ASSERT_EQ(picture.width, kSize);
  // White material, so the highlight is white too; the shadow would be
  // halfway to the ambient blue.
  EXPECT_EQ(picture.At(kSize / 2, kSize / 2), 0xFFFFFFu);
}

TEST_F(CartoonRender, OutlineColourBlendsTowardsTheMaterialColour) {
  fixture.SetKeys({{"silEdges", "1"}, {"silColorB", "200"}, {"varSilColor", "0.25"}});
  const Picture picture = RenderLitSphere(true);
  ASSERT_EQ(picture.width, kSize);
  // A quarter of the way from blue (0, 0, 200) to the material (200, 100, 0).
  for (int degrees = 0; degrees < 360; degrees += 15) {
    const double angle = degrees * std::numbers::pi / 180.0;
    const std::uint32_t pixel = picture.At(PixelAt(std::cos(angle)), PixelAt(std::sin(angle)));
    EXPECT_TRUE(Matches(pixel, {50, 25, 150}, 2.0)) << std::hex << pixel << std::dec << " at " << degrees;
  }
}

TEST_F(CartoonRender, LineWidthIsInOutputPixelsAtEveryAntialiasLevel) {
  const std::map<std::string, std::string> borders{{"endEdges", "1"}, {"widthEnd", "6"}};
  EXPECT_EQ(DarkRun(RenderSquare(borders), kSize / 2, 125, 155), 6);
  fixture.settings.SetAntialiasStyle(NprRenderSettings::AntialiasNormal);
  EXPECT_NEAR(DarkRun(RenderSquare(borders), kSize / 2, 125, 155), 6, 1);
  // The best level draws twice as wide on a picture twice as large, which
  // the renderer then halves: 10 becomes 20 on the shader's own picture.
  fixture.settings.SetAntialiasStyle(NprRenderSettings::AntialiasBest);
  EXPECT_NEAR(DarkRun(RenderSquare({{"endEdges", "1"}, {"widthEnd", "10"}}), kSize / 2, 120, 160), 10, 1);
  const Picture& doubled = fixture.progress.lastPicture;
  ASSERT_EQ(doubled.width, 2 * kSize);
  EXPECT_EQ(DarkRun(doubled, kSize, 250, 310), 20);
}

TEST_F(CartoonRender, AnnouncesItsStepsReportsItsPhasesAndEmptiesTheEdges) {
  Scene scene;
  FillThreeSpheres(scene);
  fixture.settings.SetAntialiasStyle(NprRenderSettings::AntialiasBest);
  fixture.SetKeys({{"silEdges", "1"}, {"endEdges", "1"}, {"disEdges", "1"}});
  const NprUniqueGdiObject<HBITMAP> picture(fixture.Render(scene, view));
  // 5 for set-up and faces, 3 per edge kind, 4 for the edges, 1 for the
  // reduction, which the renderer's own last step completes.
  EXPECT_EQ(fixture.progress.announcedSteps, 19);
  EXPECT_EQ(fixture.progress.steps, 19);
  const std::vector<std::string> phases = {"Calculating edges...",      "Setting up NPR Render...",
                                           "Rendering faces...",        "Rendering Silhouettes edges...",
                                           "Rendering Border edges...", "Rendering Discontinuity of Mesh edges...",
                                           "Antialiasing Filter"};
  EXPECT_EQ(fixture.progress.tasks, phases);
  EXPECT_TRUE(AllEdgesEmptied(scene));
}

TEST_F(CartoonRender, ACancelStopsDrawingAndStillEmptiesTheEdges) {
  Scene scene;
  FillThreeSpheres(scene);
  fixture.SetKeys({{"silEdges", "1"}, {"disEdges", "1"}});
  fixture.progress.cancelAtStep = 2;  // after two of the three edge steps
  const NprUniqueGdiObject<HBITMAP> picture(fixture.Render(scene, view));
  EXPECT_EQ(fixture.progress.tasks.front(), "Calculating edges...");
  EXPECT_EQ(std::count(fixture.progress.tasks.begin(), fixture.progress.tasks.end(), "Rendering faces..."), 0);
  EXPECT_TRUE(AllEdgesEmptied(scene));
}

std::vector<std::string> gBoxes;
int RecordBox(HWND, LPCSTR text, LPCSTR caption, UINT type) {
  gBoxes.push_back(std::string(caption) + ": " + text + ((type & MB_ICONMASK) == MB_ICONERROR ? " (error)" : ""));
  return IDOK;
}

TEST_F(CartoonRender, APictureTooLargeToDrawFailsWithTheSystemErrorAndNoBitmap) {
  gBoxes.clear();
  const MessageBoxHandler previous = SetMessageBoxHandler(&RecordBox);
  Scene scene;
  FillThreeSpheres(scene);
  fixture.SetKeys({{"silEdges", "1"}});
  const SIZE tooWide{100000, 4};
  fixture.settings.SetImageSize(&tooWide);
  EXPECT_EQ(fixture.Render(scene, view), nullptr);
  SetMessageBoxHandler(previous);
  ASSERT_EQ(gBoxes.size(), 1u);
  EXPECT_EQ(gBoxes[0].rfind("Orvelle Error: ", 0), 0u) << gBoxes[0];
  EXPECT_EQ(gBoxes[0].substr(gBoxes[0].size() - 8), " (error)");
  EXPECT_FALSE(fixture.progress.resultReported);
  EXPECT_TRUE(AllEdgesEmptied(scene));
}

TEST_F(CartoonRender, TheBackgroundImageIsStretchedBehindTheModel) {
  // Red and green along the bottom, blue and white along the top.
  const unsigned char pixels[] = {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255};
  ILuint image = 0;
  ilGenImages(1, &image);
  ilBindImage(image);
  ilTexImage(2, 2, 1, 3, IL_RGB, IL_UNSIGNED_BYTE, const_cast<unsigned char*>(pixels));
  ilEnable(IL_FILE_OVERWRITE);
  const std::string file = fixture.home / "corners.png";
  ASSERT_TRUE(ilSave(IL_PNG, file.c_str()));
  ilDeleteImages(1, &image);
  fixture.settings.SetBackgroundFileName(file.c_str());

  Scene scene;
  NprAppendMeshNode(scene, Square(0.25), TS_Color(0, 0, 0));
  const Picture picture = fixture.RenderPicture(scene, view);
  ASSERT_EQ(picture.width, kSize);
  EXPECT_GT((picture.At(0, 0) >> 16) & 0xFF, 200u);
  EXPECT_GT((picture.At(kSize - 1, 0) >> 8) & 0xFF, 200u);
  EXPECT_GT(picture.At(0, kSize - 1) & 0xFF, 200u);
  // The unlit black square in its shadow colour, half the ambient blue.
  EXPECT_EQ(picture.At(kSize / 2, kSize / 2), 0x000064u);
}

}  // namespace
}  // namespace cartoon_test
