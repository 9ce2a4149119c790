// Renders the sample part in every shipped Sketch style and keeps the
// pictures under the build tree, for people to look at.
#include "sketch_render_support.h"

#include <linvale/npr_win32_owners.h>
#include <tessel/ts_sample_part.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace {

using sketch_test::Picture;
using sketch_test::SketchRenderFixture;

// "Loose Sketch.npr" -> "sketch-loose-sketch.png".
std::string ArtefactName(const std::filesystem::path& style) {
  std::string name = style.stem().string();
  std::transform(name.begin(), name.end(), name.begin(),
                 [](unsigned char c) { return c == ' ' ? '-' : static_cast<char>(std::tolower(c)); });
  return "sketch-" + name + ".png";
}

bool IsSketchStyle(const std::filesystem::path& file) {
  return file.extension() == ".npr" && linvale::test::ReadText(file).find("Current Render=Sketch") != std::string::npos;
}

TEST(SketchArtefacts, SamplePartInEveryShippedStyle) {
  SketchRenderFixture fixture;
  fixture.width = 800;
  fixture.height = 600;
  fixture.settings.SetAntialiasStyle(NprRenderSettings::AntialiasBest);
  Scene scene;
  for (const TS_SampleObject& object : TS_SamplePart()) {
    NprAppendMeshNode(scene, object.mesh, object.color);
  }
  TS_Viewport viewport;
  fixture.Fit(scene, viewport, NprNamedView::Iso, TS::perspective_view);

  const std::filesystem::path outputs = LINVALE_ARTEFACT_DIR;
  std::filesystem::create_directories(outputs);
  int rendered = 0;
  for (const auto& entry : std::filesystem::directory_iterator(LINVALE_STYLES_DIR)) {
    if (!IsSketchStyle(entry.path())) {
      continue;
    }
    fixture.settings.SetConfigFileName(entry.path().c_str());
    const NprUniqueGdiObject<HBITMAP> bitmap(fixture.Render(scene, viewport));
    ASSERT_NE(bitmap, nullptr) << entry.path();
    const Picture picture(bitmap.get());
    EXPECT_EQ(picture.width, fixture.width);
    EXPECT_GT(picture.CountDark(), 2000) << entry.path();
    const std::filesystem::path output = outputs / ArtefactName(entry.path());
    fixture.host.SaveImage(bitmap.get(), output.wstring().c_str());
    EXPECT_TRUE(std::filesystem::exists(output)) << output;
    ++rendered;
  }
  EXPECT_GE(rendered, 3);
}

}  // namespace
