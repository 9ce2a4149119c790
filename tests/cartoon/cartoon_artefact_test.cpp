// Renders the sample part in every shipped Cartoon style and keeps the
// pictures under the build tree for a person to look at; the checks only
// make sure each is a real drawing on the style's background.
#include "cartoon_render_support.h"

#include <linvale/npr_win32_owners.h>
#include <linvale/scene_builder.h>
#include <tessel/ts_sample_part.h>

#include <IL/il.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <set>

namespace cartoon_test {
namespace {

void SavePng(const Picture& picture, const std::filesystem::path& path) {
  std::vector<unsigned char> rgb;
  for (const std::uint32_t pixel : picture.pixels) {
    rgb.insert(rgb.end(), {static_cast<unsigned char>(pixel >> 16), static_cast<unsigned char>(pixel >> 8),
                           static_cast<unsigned char>(pixel)});
  }
  ILuint image = 0;
  ilGenImages(1, &image);
  ilBindImage(image);
  // Rows run from the bottom, DevIL's own default origin.
  ilTexImage(static_cast<ILuint>(picture.width), static_cast<ILuint>(picture.height), 1, 3, IL_RGB, IL_UNSIGNED_BYTE,
             rgb.data());
  ilEnable(IL_FILE_OVERWRITE);
  EXPECT_TRUE(ilSave(IL_PNG, path.c_str())) << path;
  ilDeleteImages(1, &image);
}

TEST(CartoonArtefacts, SamplePartInEveryShippedStyle) {
  std::filesystem::create_directories(LINVALE_ARTEFACT_DIR);
  int styles = 0;
  for (const auto& entry : std::filesystem::directory_iterator(LINVALE_STYLES_DIR)) {
    if (linvale::test::ReadText(entry.path()).find("Current Render=Cartoon") == std::string::npos) {
      continue;
    }
    SCOPED_TRACE(entry.path().string());
    ++styles;
    CartoonRenderFixture fixture;
    ASSERT_NE(fixture.settings.Load(entry.path().c_str(), true), 0);
    fixture.settings.SetConfigFileName(entry.path().c_str());
    const SIZE size{960, 720};
    fixture.settings.SetImageSize(&size);
    fixture.settings.SetAntialiasStyle(NprRenderSettings::AntialiasBest);
    Scene scene;
    for (const TS_SampleObject& object : TS_SamplePart()) {
      NprAppendMeshNode(scene, object.mesh, object.color);
    }
    TS_3dPoint min;
    TS_3dPoint max;
    TS_Viewport view;
    ASSERT_TRUE(NprSceneBounds(scene, min, max));
    ASSERT_TRUE(NprFitViewport(view, min, max, NprNamedView::Iso, TS::perspective_view, size.cx, size.cy));
    NprAddDefaultLightIfNone(scene, view);
    const NprUniqueGdiObject<HBITMAP> bitmap(
        fixture.renderer.RenderScene(&scene, view, fixture.settings, &fixture.progress));
    const Picture picture(bitmap.get());
    ASSERT_EQ(picture.width, size.cx);
    ASSERT_EQ(picture.height, size.cy);

    // "Bright Cel.npr" becomes "cartoon-bright-cel.png".
    std::string name = "cartoon-" + entry.path().stem().string() + ".png";
    for (char& c : name) {
      c = c == ' ' ? '-' : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    SavePng(picture, std::filesystem::path(LINVALE_ARTEFACT_DIR) / name);

    const COLORREF background = fixture.settings.GetBackgroundColor();
    EXPECT_EQ(picture.At(0, 0), (GetRValue(background) << 16u) | (GetGValue(background) << 8u) | GetBValue(background));
    EXPECT_GT(std::set<std::uint32_t>(picture.pixels.begin(), picture.pixels.end()).size(), 20u);
  }
  EXPECT_GE(styles, 2);
}

}  // namespace
}  // namespace cartoon_test
