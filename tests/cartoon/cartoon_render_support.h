// What the Cartoon render tests share: a host and a progress object that
// record what they see, pictures read back as pixels, a finely tessellated
// sphere, and renders through the renderer with a style file of their own.
#pragma once

#include "../support/temporary_home.h"

#include <linvale/npr_host_application_services.h>
#include <linvale/npr_render_settings.h>
#include <linvale/npr_renderer.h>
#include <linvale/scene.h>
#include <tessel/ts_mesh.h>
#include <tessel/ts_viewport.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace cartoon_test {

class TestHost : public NprHostApplicationServices {
public:
  void Print(const char*, ...) override {}
  void OnPreviewSettings(NprRenderSettings&) override {}
};

// Installs a host for as long as it lives.
class InstalledHost {
public:
  explicit InstalledHost(NprHostApplicationServices& host)
      : mPrevious(NprHostApplicationServices::setDefaultHost(&host)) {}
  ~InstalledHost() { NprHostApplicationServices::setDefaultHost(mPrevious); }
  InstalledHost(const InstalledHost&) = delete;
  InstalledHost& operator=(const InstalledHost&) = delete;

private:
  NprHostApplicationServices* mPrevious;
};

// Every message box shown while it lives, instead of standard error.
class RecordedMessageBoxes {
public:
  RecordedMessageBoxes();
  ~RecordedMessageBoxes();
  RecordedMessageBoxes(const RecordedMessageBoxes&) = delete;
  RecordedMessageBoxes& operator=(const RecordedMessageBoxes&) = delete;

  struct Box {
    std::string text;
    std::string caption;
    unsigned int type;
  };
  static std::vector<Box> boxes;
};

// A bitmap's pixels as 0x00RRGGBB, rows from the bottom.
struct Picture {
  Picture() = default;
  explicit Picture(HBITMAP bitmap);

  std::uint32_t At(int x, int y) const {
    return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)];
  }

  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;
};

// Records the render's reports and, from `cancelAtStep` on, asks it to stop.
class RecordingProgress : public NprRenderer::Progress {
public:
  void SetStepCount(int steps) override { announcedSteps = steps; }
  void Step(int steps, HBITMAP image) override;
  void SetResult(HBITMAP) override { resultReported = true; }
  void SetTaskName(const char* name) override;
  bool IsCanceled() override { return cancelAtStep >= 0 && steps >= cancelAtStep; }

  int announcedSteps = -1;
  int steps = 0;
  // Steps counted before the shader returned, i.e. before the renderer's
  // own antialias task began.
  int stepsBeforeAntialiasTask = -1;
  int pictures = 0;
  Picture lastPicture;
  bool resultReported = false;
  int cancelAtStep = -1;
  std::vector<std::string> tasks;
};

// A sphere of `radius` about the origin with unit vertex normals, fine
// enough that its outline stays within a pixel of the circle at the sizes
// the tests draw.
TS_Mesh Sphere(double radius);

// A flat square in the plane z = 0, an open mesh whose four sides are
// borders.
TS_Mesh Square(double halfSide);

// A parallel camera above the origin looking down -z with y up, seeing the
// square -halfWidth..halfWidth.
TS_Viewport TopView(double halfWidth);

// Renders through the renderer with the Cartoon shader and a style file
// holding `keys` in its "Cartoon" section.
class CartoonRenderFixture {
public:
  CartoonRenderFixture();

  // Keys given here override a plain test style: no edges, shadow band to
  // entry 64, highlight band from entry 229 (`specular` 32), shadow colour
  // halfway to the ambient light, base the material colour, highlight
  // halfway to white, black lines 3 pixels wide.
  void SetKeys(const std::map<std::string, std::string>& keys);
  // Null when the render gave no bitmap; the caller deletes the bitmap.
  HBITMAP Render(Scene& scene, const TS_Viewport& viewport);
  // Renders and reads the picture back; fails the test without a bitmap.
  Picture RenderPicture(Scene& scene, const TS_Viewport& viewport);

  linvale::test::TemporaryHome home;
  TestHost host;
  InstalledHost installed{host};
  NprRenderSettings settings;
  RecordingProgress progress;
  NprRenderer renderer;
  std::string styleFile;
  std::map<std::string, std::string> keys;
};

}  // namespace cartoon_test
