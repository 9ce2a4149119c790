#include "sketch_render_support.h"

#include "support/bitmap_helpers.h"

#include <cstdlib>
#include <set>
#include <sstream>
#include <utility>

namespace sketch_test {

Picture::Picture(HBITMAP bitmap) {
  linvale::test::Colours32 colours = linvale::test::ReadColours32(bitmap);
  width = colours.width;
  height = colours.height;
  values = std::move(colours.values);
}

bool Picture::IsDark(int x, int y) const {
  const std::uint32_t v = At(x, y);
  return ((v >> 16) & 0xFFU) + ((v >> 8) & 0xFFU) + (v & 0xFFU) < 3U * 128U;
}

int Picture::CountDark() const {
  int count = 0;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      count += IsDark(x, y) ? 1 : 0;
    }
  }
  return count;
}

std::size_t Picture::CountColours() const { return std::set<std::uint32_t>(values.begin(), values.end()).size(); }

Coverage::Coverage(const Picture& picture, std::uint32_t background)
    : width(picture.width), height(picture.height), covered(picture.values.size()) {
  for (std::size_t i = 0; i < picture.values.size(); ++i) {
    covered[i] = picture.values[i] != background;
  }
}

bool Coverage::Covered(int x, int y) const {
  if (x < 0 || y < 0 || x >= width || y >= height) {
    return false;
  }
  return covered[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)];
}

int Coverage::DistanceToBoundary(int x, int y, int limit) const {
  const bool inside = Covered(x, y);
  for (int r = 1; r <= limit; ++r) {
    for (int dy = -r; dy <= r; ++dy) {
      for (int dx = -r; dx <= r; ++dx) {
        if ((std::abs(dx) == r || std::abs(dy) == r) && Covered(x + dx, y + dy) != inside) {
          return r;
        }
      }
    }
  }
  return limit + 1;
}

TS_Mesh Box(const TS_3dPoint& offset, double size) {
  static const int kSides[6][4][3] = {
      {{0, 0, 0}, {0, 0, 1}, {0, 1, 1}, {0, 1, 0}}, {{1, 0, 0}, {1, 1, 0}, {1, 1, 1}, {1, 0, 1}},
      {{0, 0, 0}, {1, 0, 0}, {1, 0, 1}, {0, 0, 1}}, {{0, 1, 0}, {0, 1, 1}, {1, 1, 1}, {1, 1, 0}},
      {{0, 0, 0}, {0, 1, 0}, {1, 1, 0}, {1, 0, 0}}, {{0, 0, 1}, {1, 0, 1}, {1, 1, 1}, {0, 1, 1}},
  };
  TS_Mesh mesh;
  for (const auto& side : kSides) {
    const int first = mesh.VertexCount();
    for (const auto& corner : side) {
      mesh.SetVertex(mesh.VertexCount(),
                     TS_3dPoint(offset.x + size * corner[0], offset.y + size * corner[1], offset.z + size * corner[2]));
    }
    mesh.SetQuad(mesh.FaceCount(), first, first + 1, first + 2, first + 3);
  }
  return mesh;
}

SketchRenderFixture::SketchRenderFixture() : styleFile(home / "test.npr") {
  settings.SetConfigFileName(styleFile.c_str());
  settings.SetShaderTag("Sketch");
  settings.SetBackgroundColor(RGB(255, 255, 255));
  settings.SetAntialiasStyle(NprRenderSettings::AntialiasNone);
  SetKeys({});
}

void SketchRenderFixture::SetKeys(const std::map<std::string, std::string>& keys) {
  std::map<std::string, std::string> all = {
      {"silEdges", "1"},    {"disEdges", "0"},   {"endEdges", "0"},          {"randWavy", "0"},    {"randDir", "0"},
      {"varWidth", "0"},    {"minWidth", "2"},   {"maxWidth", "2"},          {"varInt", "0"},      {"modeHue", "1"},
      {"singleHueR", "0"},  {"singleHueG", "0"}, {"singleHueB", "0"},        {"minHue", "0"},      {"maxHue", "0"},
      {"bseedRandom", "1"}, {"seedRandom", "1"}, {"textureFill", "0"},       {"textureMode", "0"}, {"b_paper", "0"},
      {"numLines", "1"},    {"paper", ""},       {"thresholdDegree", "150"},
  };
  for (const auto& [key, value] : keys) {
    all[key] = value;
  }
  std::ostringstream text;
  text << "[Common]\nCurrent Render=Sketch\n[Sketch]\n";
  for (const auto& [key, value] : all) {
    text << key << '=' << value << '\n';
  }
  linvale::test::WriteText(styleFile, text.str());
}

void SketchRenderFixture::Fit(Scene& scene, TS_Viewport& viewport, NprNamedView view,
                              TS::view_projection projection) const {
  TS_3dPoint min;
  TS_3dPoint max;
  NprSceneBounds(scene, min, max);
  NprFitViewport(viewport, min, max, view, projection, width, height);
  NprAddDefaultLightIfNone(scene, viewport);
}

HBITMAP SketchRenderFixture::Render(Scene& scene, const TS_Viewport& viewport) {
  const SIZE size{width, height};
  settings.SetImageSize(&size);
  const int cancelAfter = progress.cancelAfterPictures;
  progress = CountingProgress();
  progress.cancelAfterPictures = cancelAfter;
  return renderer.RenderScene(&scene, viewport, settings, &progress);
}

}  // namespace sketch_test
