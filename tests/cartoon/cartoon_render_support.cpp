#include "cartoon_render_support.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cmath>
#include <numbers>

namespace cartoon_test {

std::vector<RecordedMessageBoxes::Box> RecordedMessageBoxes::boxes;

namespace {

int RecordBox(HWND, LPCSTR text, LPCSTR caption, UINT type) {
  RecordedMessageBoxes::boxes.push_back({text != nullptr ? text : "", caption != nullptr ? caption : "", type});
  return IDOK;
}

MessageBoxHandler gPreviousHandler = nullptr;

}  // namespace

RecordedMessageBoxes::RecordedMessageBoxes() {
  boxes.clear();
  gPreviousHandler = SetMessageBoxHandler(&RecordBox);
}

RecordedMessageBoxes::~RecordedMessageBoxes() { SetMessageBoxHandler(gPreviousHandler); }

Picture::Picture(HBITMAP bitmap) {
  BITMAP header{};
  if (bitmap == nullptr || GetObjectA(bitmap, sizeof(header), &header) == 0) {
    return;
  }
  width = header.bmWidth;
  height = header.bmHeight;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
  HDC screen = GetDC(nullptr);
  const int lines = GetDIBits(screen, bitmap, 0, static_cast<UINT>(height), pixels.data(), &info, DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  if (lines != height) {
    *this = Picture();
    return;
  }
  for (std::uint32_t& pixel : pixels) {
    pixel &= 0x00FFFFFFu;
  }
}

void RecordingProgress::Step(int count, HBITMAP image) {
  steps += count;
  if (image != nullptr) {
    ++pictures;
    lastPicture = Picture(image);
  }
}

void RecordingProgress::SetTaskName(const char* name) {
  tasks.emplace_back(name);
  if (tasks.back() == "Antialiasing Filter") {
    stepsBeforeAntialiasTask = steps;
  }
}

TS_Mesh Sphere(double radius) {
  constexpr int kAround = 160;
  constexpr int kPoleToPole = 80;
  TS_Mesh mesh;
  for (int ring = 0; ring <= kPoleToPole; ++ring) {
    const double polar = std::numbers::pi * ring / kPoleToPole;
    for (int step = 0; step <= kAround; ++step) {
      const double azimuth = 2.0 * std::numbers::pi * step / kAround;
      const TS_3dVector normal{std::sin(polar) * std::cos(azimuth), std::sin(polar) * std::sin(azimuth),
                               std::cos(polar)};
      const int index = mesh.VertexCount();
      mesh.SetVertex(index, TS_3dPoint(normal * radius));
      mesh.SetVertexNormal(index, normal);
    }
  }
  const auto at = [](int ring, int step) { return ring * (kAround + 1) + step; };
  for (int ring = 0; ring < kPoleToPole; ++ring) {
    for (int step = 0; step < kAround; ++step) {
      // Counter-clockwise seen from outside.
      if (ring > 0) {
        mesh.SetTriangle(mesh.FaceCount(), at(ring, step), at(ring + 1, step), at(ring, step + 1));
      }
      if (ring + 1 < kPoleToPole) {
        mesh.SetTriangle(mesh.FaceCount(), at(ring, step + 1), at(ring + 1, step), at(ring + 1, step + 1));
      }
    }
  }
  return mesh;
}

TS_Mesh Square(double halfSide) {
  TS_Mesh mesh;
  const float h = static_cast<float>(halfSide);
  mesh.SetVertex(0, TS_3fPoint(-h, -h, 0));
  mesh.SetVertex(1, TS_3fPoint(h, -h, 0));
  mesh.SetVertex(2, TS_3fPoint(h, h, 0));
  mesh.SetVertex(3, TS_3fPoint(-h, h, 0));
  mesh.SetTriangle(0, 0, 1, 2);
  mesh.SetTriangle(1, 0, 2, 3);
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
  keys = {{"silEdges", "0"},     {"endEdges", "0"},       {"disEdges", "0"},       {"widthSil", "3"},
          {"widthEnd", "3"},     {"widthDis", "3"},       {"silColorR", "0"},      {"silColorG", "0"},
          {"silColorB", "0"},    {"endColorR", "0"},      {"endColorG", "0"},      {"endColorB", "0"},
          {"disColorR", "0"},    {"disColorG", "0"},      {"disColorB", "0"},      {"varSilColor", "0"},
          {"varEndColor", "0"},  {"varDisColor", "0"},    {"thresholdDegree", "140"}, {"shadow", "64"},
          {"specular", "32"},    {"varShadow", "0.5"},    {"varDiffuse", "0"},     {"varSpecular", "0.5"}};
  SIZE size{200, 200};
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
  std::string text = "[Common]\nCurrent Render=Cartoon\n[Cartoon]\n";
  for (const auto& [key, value] : keys) {
    text += key + "=" + value + "\n";
  }
  linvale::test::WriteText(styleFile, text);
  return renderer.RenderScene(&scene, viewport, settings, &progress);
}

Picture CartoonRenderFixture::RenderPicture(Scene& scene, const TS_Viewport& viewport) {
  HBITMAP bitmap = Render(scene, viewport);
  EXPECT_NE(bitmap, nullptr);
  Picture picture(bitmap);
  if (bitmap != nullptr) {
    DeleteObject(bitmap);
  }
  return picture;
}

}  // namespace cartoon_test
