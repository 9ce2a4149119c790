// What the Sketch render tests share: a host and progress object that
// record what they see, pictures read back as pixels, small scenes and a
// style file written from key/value pairs.
#pragma once

#include <linvale/npr_installed_host.h>
#include <linvale/npr_render_settings.h>
#include <linvale/npr_renderer.h>
#include <linvale/scene.h>
#include <linvale/scene_builder.h>
#include <tessel/ts_viewport.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "support/quiet_host.h"
#include "support/temporary_home.h"

namespace sketch_test {

// Counts what a render reports; cancels once `cancelAfterPictures`
// pictures have been shown (never when negative).
class CountingProgress : public NprRenderer::Progress {
public:
  void SetStepCount(int steps) override { announcedSteps = steps; }
  void Step(int steps, HBITMAP image) override {
    reportedSteps += steps;
    pictures += image != nullptr ? 1 : 0;
  }
  void SetResult(HBITMAP) override {}
  void SetTaskName(const char* name) override { tasks.emplace_back(name); }
  bool IsCanceled() override { return cancelAfterPictures >= 0 && pictures >= cancelAfterPictures; }

  int announcedSteps = -1;
  int reportedSteps = 0;
  int pictures = 0;
  int cancelAfterPictures = -1;
  std::vector<std::string> tasks;
};

// A bitmap's pixels as 0x00RRGGBB, rows from the bottom.
struct Picture {
  explicit Picture(HBITMAP bitmap);

  std::uint32_t At(int x, int y) const {
    return values[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)];
  }
  bool IsDark(int x, int y) const;
  int CountDark() const;
  // Distinct colours in the picture.
  std::size_t CountColours() const;
  bool operator==(const Picture& other) const { return values == other.values; }

  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> values;
};

// Where a picture shows the model: pixels that are not the background.
struct Coverage {
  Coverage(const Picture& picture, std::uint32_t background);
  bool Covered(int x, int y) const;
  // Distance in pixels (chessboard) from (x, y) to the nearest pixel on the
  // other side of the coverage boundary, up to `limit`.
  int DistanceToBoundary(int x, int y, int limit) const;

  int width = 0;
  int height = 0;
  std::vector<bool> covered;
};

// A unit cube scaled by `size` and moved by `offset`, flat shaded.
TS_Mesh Box(const TS_3dPoint& offset, double size);

// Renders through the renderer with a style file holding `keys` in its
// "Sketch" section, at `width` by `height` pixels, black lines on white.
class SketchRenderFixture {
public:
  SketchRenderFixture();

  // Keys given here override a plain line-drawing style: silhouettes only,
  // straight black lines of width 2, no randomness, a fixed seed.
  void SetKeys(const std::map<std::string, std::string>& keys);
  void Fit(Scene& scene, TS_Viewport& viewport, NprNamedView view, TS::view_projection projection) const;
  HBITMAP Render(Scene& scene, const TS_Viewport& viewport);

  linvale::test::TemporaryHome home;
  linvale::test::QuietHost host;
  NprInstalledHost installed{host};
  NprRenderSettings settings;
  CountingProgress progress;
  NprRenderer renderer;
  std::string styleFile;
  int width = 240;
  int height = 200;
};

}  // namespace sketch_test
