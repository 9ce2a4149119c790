#include "cartoon_render_support.h"

#include "../support/bitmap_helpers.h"

#include <linvale/npr_win32_owners.h>

#include <gtest/gtest.h>
#include <windows.h>

#include <cmath>
#include <numbers>
#include <utility>

namespace cartoon_test {

Picture::Picture(HBITMAP bitmap) {
  linvale::test::Colours32 colours = linvale::test::ReadColours32(bitmap);
  // A picture read in part would pass for a smaller one; it counts as none.
  if (colours.rows == colours.height) {
    width = colours.width;
    height = colours.height;
    pixels = std::move(colours.values);
  }
}

void RecordingProgress::Step(int count, HBITMAP image) {
  steps += count;
  if (image != nullptr) {
    lastPicture = Picture(image);
  }
}

TS_Mesh Sphere(double radius, double centreX) {
  constexpr int kAround = 160;
  constexpr int kRings = 80;
  TS_Mesh mesh;
  for (int ring = 0; ring <= kRings; ++ring) {
    const double polar = std::numbers::pi * ring / kRings;
    for (int step = 0; step <= kAround; ++step) {
      const double azimuth = 2.0 * std::numbers::pi * step / kAround;
      const TS_3dVector normal{std::sin(polar) * std::cos(azimuth), std::sin(polar) * std::sin(azimuth),
                               std::cos(polar)};
      const int index = mesh.VertexCount();
      mesh.SetVertex(index, TS_3dPoint(normal * radius) + TS_3dVector(centreX, 0, 0));
      mesh.SetVertexNormal(index, normal);
    }
  }
  const auto at = [](int ring, int step) { return ring * (kAround + 1) + step; };
  for (int ring = 0; ring < kRings; ++ring) {
    for (int step = 0; step < kAround; ++step) {
      if (ring > 0) {
        mesh.SetTriangle(mesh.FaceCount(), at(ring, step), at(ring + 1, step), at(ring, step + 1));
      }
      if (ring + 1 < kRings) {
        mesh.SetTriangle(mesh.FaceCount(), at(ring, step + 1), at(ring + 1, step), at(ring + 1, step + 1));
      }
    }
  }
  return mesh;
}

TS_Mesh Square(double halfSide) {
  const float h = static_cast<float>(halfSide);
  TS_Mesh mesh;
  mesh.SetVertex(0, TS_3fPoint(-h, -h, 0));
  mesh.SetVertex(1, TS_3fPoint(h, -h, 0));
  mesh.SetVertex(2, TS_3fPoint(h, h, 0));
  mesh.SetVertex(3, TS_3fPoint(-h, h, 0));
  mesh.SetQuad(0, 0, 1, 2, 3);
  return mesh;
}

TS_Viewport TopView(double halfWidth) {
  TS_Viewport viewport;
  viewport.SetProjection(TS::parallel_view);
  viewport.SetCameraLocation({0, 0, 10});
  viewport.SetCameraDirection({0, 0, -1});
  viewport.SetCameraUp({0, 1, 0});
  viewport.SetFrustum(-halfWidth, halfWidth, -halfWidth, halfWidth, 1.0, 20.0);
  return viewport;
}

CartoonRenderFixture::CartoonRenderFixture() : styleFile(home / "test.npr") {
  keys = {{"silEdges", "0"},    {"endEdges", "0"},   {"disEdges", "0"},     {"widthSil", "3"},
          {"widthEnd", "3"},    {"widthDis", "3"},   {"shadow", "64"},      {"specular", "32"},
          {"varShadow", "0.5"}, {"varDiffuse", "0"}, {"varSpecular", "0.5"}};
  const SIZE size{200, 200};
  settings.SetImageSize(&size);
  settings.SetAntialiasStyle(NprRenderSettings::AntialiasNone);
  settings.SetBackgroundColor(RGB(255, 255, 255));
  settings.SetAmbientLightColor(RGB(0, 0, 200));
  settings.SetShaderTag("Cartoon");
  settings.SetConfigFileName(styleFile.c_str());
}

void CartoonRenderFixture::SetKeys(const std::map<std::string, std::string>& overrides) {
  for (const auto& [key, value] : overrides) {
    keys[key] = value;
  }
}

HBITMAP CartoonRenderFixture::Render(Scene& scene, const TS_Viewport& viewport) {
  std::string text = "[Cartoon]\n";
  for (const auto& [key, value] : keys) {
    text += key + "=" + value + "\n";
  }
  linvale::test::WriteText(styleFile, text);
  return renderer.RenderScene(&scene, viewport, settings, &progress);
}

Picture CartoonRenderFixture::RenderPicture(Scene& scene, const TS_Viewport& viewport) {
  const NprUniqueGdiObject<HBITMAP> bitmap(Render(scene, viewport));
  EXPECT_NE(bitmap, nullptr);
  return Picture(bitmap.get());
}

}  // namespace cartoon_test
