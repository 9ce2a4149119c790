// What the Cartoon render tests share: a host, a progress object that
// records what it sees, pictures read back as pixels, simple meshes, and
// renders through the renderer with a style file of their own.
#pragma once

#include "../support/quiet_host.h"
#include "../support/temporary_home.h"

#include <linvale/npr_installed_host.h>
#include <linvale/npr_render_settings.h>
#include <linvale/npr_renderer.h>
#include <linvale/scene.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace cartoon_test {

// A bitmap's pixels as 0x00RRGGBB, rows from the bottom.
struct Picture {
  Picture() = default;
  explicit Picture(HBITMAP bitmap);
  std::uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }

  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;
};

// Records the render's reports and, from `cancelAtStep` on, asks it to stop.
class RecordingProgress : public NprRenderer::Progress {
public:
  void SetStepCount(int count) override { announcedSteps = count; }
  void Step(int count, HBITMAP image) override;
  void SetResult(HBITMAP) override { resultReported = true; }
  void SetTaskName(const char* name) override { tasks.emplace_back(name); }
  bool IsCanceled() override { return cancelAtStep >= 0 && steps >= cancelAtStep; }

  int announcedSteps = -1;
  int steps = 0;
  Picture lastPicture;
  bool resultReported = false;
  int cancelAtStep = -1;
  std::vector<std::string> tasks;
};

// Unit vertex normals along the radius; 160 by 80 steps.
TS_Mesh Sphere(double radius, double centreX = 0.0);
// An open square in z = 0 whose four sides are borders.
TS_Mesh Square(double halfSide);
// A parallel camera looking down -z with y up, seeing -halfWidth..halfWidth.
TS_Viewport TopView(double halfWidth);

// Renders 200 x 200 pixels on white, ambient light blue 200, through the
// renderer with a style file holding `keys` in its "Cartoon" section.
class CartoonRenderFixture {
public:
  CartoonRenderFixture();

  // Overrides of a plain test style: no edges, shadow band to entry 64,
  // highlight from entry 229, shadow halfway to the ambient light, base the
  // material, highlight halfway to white, black lines 3 pixels wide.
  void SetKeys(const std::map<std::string, std::string>& overrides);
  // The caller deletes the bitmap; null when the render gave none.
  HBITMAP Render(Scene& scene, const TS_Viewport& viewport);
  Picture RenderPicture(Scene& scene, const TS_Viewport& viewport);

  linvale::test::TemporaryHome home;
  linvale::test::QuietHost host;
  NprInstalledHost installed{host};
  NprRenderSettings settings;
  RecordingProgress progress;
  NprRenderer renderer;
  std::string styleFile;
  std::map<std::string, std::string> keys;
};

}  // namespace cartoon_test
