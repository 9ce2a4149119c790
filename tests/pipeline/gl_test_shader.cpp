// A shader plug-in for the render-pass tests. It draws a picture whose
// pixels the tests can predict, through the same off-screen context exports
// the real shaders use: the background colour of the settings, a filled
// rectangle in the lower left quarter (two triangles) whose colour comes
// from the plug-in's own section of the style file, and a horizontal line
// across the middle. It shows the picture after each of its three phases
// and stops when the progress object cancels between them.
#include <linvale/bitmap_dc.h>
#include <linvale/npr_shader.h>
#include <linvale/npr_shader_plugin.h>

#include <GL/gl.h>

#include <cstdlib>

namespace {

constexpr const char* tag = "TestGL";
constexpr COLORREF defaultFillColor = RGB(255, 0, 0);

void SetColor(COLORREF color) {
  glColor3ub(GetRValue(color), GetGValue(color), GetBValue(color));
}

class TestGLShader final : public NprShader {
public:
  explicit TestGLShader(HINSTANCE module) : NprShader(module) {}

  int LoadSettings(const char* styleFile) override {
    char text[32] = {};
    GetPrivateProfileStringA(tag, "FillColor", "", text, sizeof text, styleFile);
    mFillColor = text[0] != '\0' ? static_cast<COLORREF>(std::strtoul(text, nullptr, 10)) : defaultFillColor;
    return 1;
  }
  int SaveSettings(const char*) override { return 1; }
  const char* GetName(int) override { return "GL Test Shader"; }
  const char* GetReserved(int) override { return nullptr; }
  HBITMAP GetDefaultBitmap() override { return nullptr; }
  NprPageDialog* GetDialog(unsigned) override { return nullptr; }
  const char* GetTag(int) override { return tag; }
  void OnSetMainDlg() override {}

  HBITMAP Render(const TS_Viewport&, const NprRenderSettings& settings, Scene* scene, NprRenderer::Progress* progress,
                 HANDLE* fileHandle, HANDLE* mappingHandle) override {
    const SIZE size = settings.GetImageSize();
    BitmapDC dc{nullptr, nullptr};
    if (!wglCreateDefaultBitmapDC(&dc, &size, 0, 24, 0, 0x40, fileHandle, mappingHandle)) {
      return nullptr;
    }
    HGLRC glrc = wglCreateContext(dc.hdc);
    if (glrc != nullptr && wglMakeCurrent(dc.hdc, glrc)) {
      Draw(size, settings.GetBackgroundColor(), progress, dc, glrc);
      wglMakeCurrent(nullptr, nullptr);
    }
    if (glrc != nullptr) {
      wglDeleteContext(glrc);
    }
    wglDeleteBitmapDC(&dc);
    if (scene != nullptr) {
      scene->deleteLinesNodes();
    }
    return static_cast<HBITMAP>(dc.other);
  }

  virtual ~TestGLShader() = default;

private:
  void Draw(SIZE size, COLORREF background, NprRenderer::Progress* progress, BitmapDC& dc, HGLRC glrc) {
    const double w = size.cx;
    const double h = size.cy;
    if (progress != nullptr) {
      progress->SetStepCount(3);
      progress->SetTaskName("Clearing");
    }
    glViewport(0, 0, size.cx, size.cy);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0.0, w, 0.0, h, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glClearColor(GetRValue(background) / 255.0f, GetGValue(background) / 255.0f, GetBValue(background) / 255.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    if (!ShowAndContinue(progress, dc, glrc)) {
      return;
    }

    if (progress != nullptr) {
      progress->SetTaskName("Rectangle");
    }
    SetColor(mFillColor);
    glBegin(GL_TRIANGLES);
    glVertex2d(w / 8, h / 8);
    glVertex2d(3 * w / 8, h / 8);
    glVertex2d(3 * w / 8, 3 * h / 8);
    glVertex2d(w / 8, h / 8);
    glVertex2d(3 * w / 8, 3 * h / 8);
    glVertex2d(w / 8, 3 * h / 8);
    glEnd();
    if (!ShowAndContinue(progress, dc, glrc)) {
      return;
    }

    if (progress != nullptr) {
      progress->SetTaskName("Line");
    }
    SetColor(RGB(0, 0, 255));
    glLineWidth(2.0f);
    glBegin(GL_LINES);
    glVertex2d(0.0, h / 2);
    glVertex2d(w, h / 2);
    glEnd();
    Show(progress, dc, glrc);
  }

  static void Show(NprRenderer::Progress* progress, BitmapDC& dc, HGLRC glrc) {
    if (progress == nullptr) {
      return;
    }
    if (HBITMAP picture = wglLockBitmap(&dc)) {
      progress->Step(1, picture);
      wglUnLockBitmap(&dc, glrc);
    }
  }

  static bool ShowAndContinue(NprRenderer::Progress* progress, BitmapDC& dc, HGLRC glrc) {
    Show(progress, dc, glrc);
    return progress == nullptr || !progress->IsCanceled();
  }

  COLORREF mFillColor = defaultFillColor;
};

}  // namespace

NprShader* NprShaderCreate() {
  return NprCreatePluginShader<TestGLShader>(reinterpret_cast<const void*>(&NprShaderCreate));
}

void NprShaderDelete(NprShader* shader) { NprDeletePluginShader<TestGLShader>(shader); }
