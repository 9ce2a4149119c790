// Renders the sample part in every shipped Cartoon style and keeps the
// pictures under the build tree, so that a person can look at them; the
// checks here only make sure each picture is a real drawing of the part.
#include "cartoon_render_support.h"

#include <linvale/scene_builder.h>
#include <tessel/ts_sample_part.h>

#include <IL/il.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

namespace cartoon_test {
namespace {

constexpr int kWidth = 960;
constexpr int kHeight = 720;

std::vector<std::filesystem::path> ShippedCartoonStyles() {
  std::vector<std::filesystem::path> styles;
  for (const auto& entry : std::filesystem::directory_iterator(LINVALE_STYLES_DIR)) {
    if (entry.path().extension() == ".npr" &&
        linvale::test::ReadText(entry.path()).find("Current Render=Cartoon") != std::string::npos) {
      styles.push_back(entry.path());
    }
  }
  return styles;
}

// "Bright Cel" becomes "bright-cel".
std::string FileStem(const std::filesystem::path& style) {
  std::string stem;
  for (const char c : style.stem().string()) {
    stem += c == ' ' ? '-' : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  return stem;
}

void SavePng(const Picture& picture, const std::filesystem::path& path) {
  std::vector<unsigned char> rgb;
  rgb.reserve(picture.pixels.size() * 3);
  for (const std::uint32_t pixel : picture.pixels) {
    rgb.push_back(static_cast<unsigned char>(pixel >> 16));
    rgb.push_back(static_cast<unsigned char>(pixel >> 8));
    rgb.push_back(static_cast<unsigned char>(pixel));
  }
  ILuint image = 0;
  ilGenImages(1, &image);
  ilBindImage(image);
  // Rows run from the bottom, DevIL's own default origin.
  ilTexImage(static_cast<ILuint>(picture.width), static_cast<ILuint>(picture.height), 1, 3, IL_RGB,
             IL_UNSIGNED_BYTE, rgb.data());
  ilEnable(IL_FILE_OVERWRITE);
  EXPECT_TRUE(ilSave(IL_PNG, path.c_str())) << path;
  ilDeleteImages(1, &image);
}

TEST(CartoonArtefacts, SamplePartInEveryShippedStyle) {
  const auto styles = ShippedCartoonStyles();
  ASSERT_GE(styles.size(), 2u);
  std::filesystem::create_directories(LINVALE_ARTEFACT_DIR);
  for (const auto& style : styles) {
    SCOPED_TRACE(style.string());
    CartoonRenderFixture fixture;
    ASSERT_NE(fixture.settings.Load(style.c_str(), true), 0);
    fixture.settings.SetConfigFileName(style.c_str());
    const SIZE size{kWidth, kHeight};
    fixture.settings.SetImageSize(&size);
    fixture.settings.SetAntialiasStyle(NprRenderSettings::AntialiasBest);

    Scene scene;
    for (const TS_SampleObject& object : TS_SamplePart()) {
      NprAppendMeshNode(scene, object.mesh, object.color);
    }
    TS_3dPoint min;
    TS_3dPoint max;
    ASSERT_TRUE(NprSceneBounds(scene, min, max));
    TS_Viewport view;
    ASSERT_TRUE(NprFitViewport(view, min, max, NprNamedView::Iso, TS::perspective_view, kWidth, kHeight));
    NprAddDefaultLightIfNone(scene, view);

    HBITMAP bitmap = fixture.renderer.RenderScene(&scene, view, fixture.settings, &fixture.progress);
    ASSERT_NE(bitmap, nullptr);
    const Picture picture(bitmap);
    DeleteObject(bitmap);
    ASSERT_EQ(picture.width, kWidth);
    ASSERT_EQ(picture.height, kHeight);
    SavePng(picture, std::filesystem::path(LINVALE_ARTEFACT_DIR) / ("cartoon-" + FileStem(style) + ".png"));

    // The corners show the style's background; the part is drawn in more
    // than a handful of colours (bands, materials, outlines, their edges).
    const COLORREF background = fixture.settings.GetBackgroundColor();
    const std::uint32_t backgroundPixel =
        (GetRValue(background) << 16) | (GetGValue(background) << 8) | GetBValue(background);
    EXPECT_EQ(picture.At(0, 0), backgroundPixel);
    EXPECT_EQ(picture.At(kWidth - 1, kHeight - 1), backgroundPixel);
    const std::set<std::uint32_t> colours(picture.pixels.begin(), picture.pixels.end());
    EXPECT_GT(colours.size(), 20u);
  }
}

}  // namespace
}  // namespace cartoon_test
