// Renders through the renderer on the software GL implementation and checks
// the pictures where the Cartoon rules fix them exactly.
#include "cartoon_render_support.h"

#include <linvale/scene_builder.h>

#include <gtest/gtest.h>
#include <windows.h>

#include <array>
#include <cmath>
#include <cstdlib>
#include <map>
#include <numbers>
#include <string>
#include <set>

namespace cartoon_test {
namespace {

// The sphere is seen from above on 200 x 200 pixels covering -1.25..1.25.
constexpr int kSize = 200;
constexpr double kHalfWidth = 1.25;
constexpr double kPixel = 2.0 * kHalfWidth / kSize;

double WorldX(int column) { return -kHalfWidth + (column + 0.5) * kPixel; }
double WorldY(int row) { return -kHalfWidth + (row + 0.5) * kPixel; }

// Material, ambient light and the test style's blends give these bands:
// shadow halfway from the material to the ambient light, base the material,
// highlight halfway to white, transitions the averages of their neighbours.
constexpr TS_Color kMaterial{RGB(200, 100, 0)};
struct Rgb {
  double red, green, blue;
};
constexpr Rgb kShadow{100, 50, 100};
constexpr Rgb kBase{200, 100, 0};
constexpr Rgb kHighlight{227.5, 177.5, 127.5};
constexpr Rgb kShadowToBase{150, 75, 50};
constexpr Rgb kBaseToHighlight{213.75, 138.75, 63.75};
constexpr std::array<Rgb, 5> kBands{kShadow, kShadowToBase, kBase, kBaseToHighlight, kHighlight};

bool Matches(std::uint32_t pixel, const Rgb& colour, double tolerance = 1.0) {
  const double red = (pixel >> 16) & 0xFF;
  const double green = (pixel >> 8) & 0xFF;
  const double blue = pixel & 0xFF;
  return std::abs(red - colour.red) <= tolerance && std::abs(green - colour.green) <= tolerance &&
         std::abs(blue - colour.blue) <= tolerance;
}

bool IsBandColour(std::uint32_t pixel) {
  for (const Rgb& band : kBands) {
    if (Matches(pixel, band)) {
      return true;
    }
  }
  return false;
}

TS_Light LightFromPlusX() {
  TS_Light light;
  light.SetStyle(TS::world_directional_light);
  light.SetDirection({-1, 0, 0});
  return light;
}

class CartoonRender : public testing::Test {
protected:
  void AddSphere(Scene& scene) { ASSERT_NE(NprAppendMeshNode(scene, Sphere(1.0), kMaterial), nullptr); }

  CartoonRenderFixture fixture;
  TS_Viewport view = TopView(kHalfWidth);
};

TEST_F(CartoonRender, ShadesASphereInHardBandsThatFollowTheLight) {
  Scene scene;
  AddSphere(scene);
  scene.Lights().Append(LightFromPlusX());
  const Picture picture = fixture.RenderPicture(scene, view);
  ASSERT_EQ(picture.width, kSize);

  // With vertex normals along the radius, a pixel's light value is its x:
  // entries below 59 are shadow, 59-68 the shadow-to-base transition, up to
  // 218 base, 219-228 base-to-highlight, above that highlight.
  const auto expectedBand = [](double lightValue) -> std::size_t {
    const double entry = lightValue * 256.0;
    if (entry < 59) return 0;
    if (entry < 69) return 1;
    if (entry < 219) return 2;
    if (entry < 229) return 3;
    return 4;
  };
  const auto nearBandEdge = [](double lightValue) {
    for (const double edge : {59.0, 69.0, 219.0, 229.0}) {
      if (std::abs(lightValue * 256.0 - edge) < 1.5) {
        return true;
      }
    }
    return false;
  };

  int checked = 0;
  std::set<std::size_t> bandsSeen;
  for (int row = 0; row < kSize; ++row) {
    for (int column = 0; column < kSize; ++column) {
      const double x = WorldX(column);
      const double y = WorldY(row);
      const std::uint32_t pixel = picture.At(column, row);
      if (std::hypot(x, y) > 1.02) {
        EXPECT_EQ(pixel, 0xFFFFFFu) << "background at " << column << "," << row;
        continue;
      }
      if (std::hypot(x, y) > 0.98) {
        continue;  // the rim, where the polygonal outline may cut a pixel
      }
      // No colour between the bands, anywhere.
      EXPECT_TRUE(IsBandColour(pixel)) << std::hex << pixel << " at " << std::dec << column << "," << row;
      if (nearBandEdge(x)) {
        continue;
      }
      const std::size_t band = expectedBand(std::max(0.0, x));
      EXPECT_TRUE(Matches(pixel, kBands[band])) << std::hex << pixel << " at " << std::dec << column << "," << row;
      bandsSeen.insert(band);
      ++checked;
    }
  }
  EXPECT_GT(checked, 18000);
  EXPECT_EQ(bandsSeen.size(), 5u);
}

TEST_F(CartoonRender, WithoutLightsEveryFaceTakesTheShadowColour) {
  Scene scene;
  AddSphere(scene);
  const Picture picture = fixture.RenderPicture(scene, view);
  ASSERT_EQ(picture.width, kSize);
  int shaded = 0;
  for (int row = 0; row < kSize; ++row) {
    for (int column = 0; column < kSize; ++column) {
      if (std::hypot(WorldX(column), WorldY(row)) < 0.98) {
        EXPECT_TRUE(Matches(picture.At(column, row), kShadow)) << column << "," << row;
        ++shaded;
      }
    }
  }
  EXPECT_GT(shaded, 19000);
}

TEST_F(CartoonRender, AFaceTurnedStraightToTheLightTakesTheHighlight) {
  // Light value exactly 1: the top of the ramp, not wrapped round to its
  // bottom.
  Scene scene;
  ASSERT_NE(NprAppendMeshNode(scene, Square(0.5), kMaterial), nullptr);
  TS_Light overhead;
  overhead.SetStyle(TS::world_directional_light);
  overhead.SetDirection({0, 0, -1});
  scene.Lights().Append(overhead);
  const Picture picture = fixture.RenderPicture(scene, view);
  ASSERT_EQ(picture.width, kSize);
  EXPECT_TRUE(Matches(picture.At(kSize / 2, kSize / 2), kHighlight)) << std::hex << picture.At(kSize / 2, kSize / 2);
}

// The columns of `row` whose pixel differs from the colour at the square's
// centre and from the background, from `from` rightwards.
int DarkRunLength(const Picture& picture, int row, int from, int to) {
  int length = 0;
  for (int column = from; column < to; ++column) {
    const std::uint32_t pixel = picture.At(column, row);
    const int brightness = static_cast<int>((pixel & 0xFF) + ((pixel >> 8) & 0xFF) + ((pixel >> 16) & 0xFF));
    // Half way between black lines and the lightest of face and background.
    if (brightness < 3 * 255 / 2 - 120) {
      ++length;
    }
  }
  return length;
}

class CartoonOutlines : public CartoonRender {
protected:
  // A white square of side 1 in the middle of the picture, lit from the
  // front, with its four borders drawn.
  Picture RenderSquare(const std::map<std::string, std::string>& keys) {
    Scene scene;
    EXPECT_NE(NprAppendMeshNode(scene, Square(0.5), TS_Color(RGB(255, 255, 255))), nullptr);
    TS_Light overhead;
    overhead.SetStyle(TS::world_directional_light);
    overhead.SetDirection({0, 0, -1});
    scene.Lights().Append(overhead);
    fixture.SetKeys(keys);
    return fixture.RenderPicture(scene, view);
  }

  // The border at x = 0.5 crosses the middle row at column 140.
  static constexpr int kBorderColumn = 140;
};

TEST_F(CartoonOutlines, LineColourBlendsTowardsTheMaterialColour) {
  Scene scene;
  AddSphere(scene);
  scene.Lights().Append(LightFromPlusX());
  fixture.SetKeys({{"silEdges", "1"}, {"silColorR", "0"}, {"silColorG", "0"}, {"silColorB", "200"},
                   {"varSilColor", "0.25"}});
  const Picture picture = fixture.RenderPicture(scene, view);
  ASSERT_EQ(picture.width, kSize);
  // A quarter of the way from blue (0, 0, 200) to the material (200, 100, 0).
  const Rgb line{50, 25, 150};
  for (int degrees = 0; degrees < 360; degrees += 15) {
    const double angle = degrees * std::numbers::pi / 180.0;
    const int column = static_cast<int>(std::floor((std::cos(angle) + kHalfWidth) / kPixel));
    const int row = static_cast<int>(std::floor((std::sin(angle) + kHalfWidth) / kPixel));
    EXPECT_TRUE(Matches(picture.At(column, row), line, 2.0))
        << std::hex << picture.At(column, row) << std::dec << " at " << degrees << " degrees";
  }
}

TEST_F(CartoonOutlines, OnlyTheEnabledEdgeKindsAreDrawn) {
  const Picture withBorders = RenderSquare({{"endEdges", "1"}, {"widthEnd", "4"}});
  const Picture withoutBorders = RenderSquare({{"endEdges", "0"}, {"silEdges", "1"}, {"disEdges", "1"}});
  ASSERT_EQ(withBorders.width, kSize);
  ASSERT_EQ(withoutBorders.width, kSize);
  EXPECT_EQ(DarkRunLength(withBorders, kSize / 2, kBorderColumn - 10, kBorderColumn + 10), 4);
  // A flat open square has neither silhouettes nor creases.
  EXPECT_EQ(DarkRunLength(withoutBorders, kSize / 2, 0, kSize), 0);
}

TEST_F(CartoonOutlines, LineWidthIsInOutputPixelsAtEveryAntialiasLevel) {
  const auto runAt = [this](NprRenderSettings::AntialiasStyle style) {
    fixture.settings.SetAntialiasStyle(style);
    const Picture picture = RenderSquare({{"endEdges", "1"}, {"widthEnd", "6"}});
    return DarkRunLength(picture, kSize / 2, kBorderColumn - 15, kBorderColumn + 15);
  };
  EXPECT_EQ(runAt(NprRenderSettings::AntialiasNone), 6);
  EXPECT_NEAR(runAt(NprRenderSettings::AntialiasNormal), 6, 1);
  EXPECT_NEAR(runAt(NprRenderSettings::AntialiasBest), 6, 1);
}

TEST_F(CartoonOutlines, BestAntialiasingDrawsLinesTwiceAsWideBeforeTheReduction) {
  fixture.settings.SetAntialiasStyle(NprRenderSettings::AntialiasBest);
  RenderSquare({{"endEdges", "1"}, {"widthEnd", "10"}});
  // The last picture the shader showed is the doubled one.
  const Picture& doubled = fixture.progress.lastPicture;
  ASSERT_EQ(doubled.width, 2 * kSize);
  EXPECT_EQ(DarkRunLength(doubled, kSize, 2 * kBorderColumn - 30, 2 * kBorderColumn + 30), 20);
}

}  // namespace
}  // namespace cartoon_test
