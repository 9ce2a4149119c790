// A shader plug-in for the render-pass tests and the worked example of
// docs/plugins.md. It draws a picture whose pixels the tests can predict,
// through the off-screen context the real shaders use: the background colour
// of the settings, a filled rectangle in the lower left quarter (two
// triangles) whose colour comes from the plug-in's own section of the style
// file, and a horizontal line across the middle. It shows the picture after
// each of its three phases and stops when the progress object cancels
// between them.
#include <linvale/npr_edge_collections_cleanup.h>
#include <linvale/npr_gl_bitmap_context.h>
#include <linvale/npr_render_pass.h>
#include <linvale/npr_page_set.h>
#include <linvale/npr_render_progress.h>
#include <linvale/npr_shader.h>
#include <linvale/npr_shader_plugin.h>

#include <GL/gl.h>

#include <cstdlib>

namespace {

constexpr const char* kTag = "TestGL";
constexpr COLORREF kDefaultFillColor = RGB(255, 0, 0);
constexpr COLORREF kLineColor = RGB(0, 0, 255);
constexpr unsigned char kDepthBits = 24;

void SetColor(COLORREF color) { glColor3ub(GetRValue(color), GetGValue(color), GetBValue(color)); }

// One render: a pass object owns what the render makes and ends it the same
// way on every path.
class TestGLPass {
public:
  TestGLPass(const NprRenderSettings& settings, COLORREF fillColor, NprRenderer::Progress* progress)
      : mSize(settings.GetImageSize()),
        mBackground(settings.GetBackgroundColor()),
        mFillColor(fillColor),
        mProgress(progress) {}

  HBITMAP Run(HANDLE* fileHandle, HANDLE* mappingHandle) {
    return NprRunRenderPass(mContext, nullptr, [&] {
      if (!mContext.CreateBitmapContext(mSize, 0, kDepthBits, fileHandle, mappingHandle) ||
          !mContext.CreateGlContext() || !mContext.MakeCurrent()) {
        throw NprShader::StopReason::Failed;
      }
      Draw();
    });
  }

private:
  void Draw() {
    mProgress.SetStepCount(3);
    mProgress.SetTaskName("Clearing");
    Clear();
    ShowPictureAndCheckCancel();

    mProgress.SetTaskName("Rectangle");
    DrawRectangle();
    ShowPictureAndCheckCancel();

    mProgress.SetTaskName("Line");
    DrawLine();
    mContext.ShowPicture(mProgress.Get());
  }

  void ShowPictureAndCheckCancel() {
    mContext.ShowPicture(mProgress.Get());
    mProgress.CheckCancel();
  }

  void Clear() const {
    glViewport(0, 0, mSize.cx, mSize.cy);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0.0, mSize.cx, 0.0, mSize.cy, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glClearColor(GetRValue(mBackground) / 255.0f, GetGValue(mBackground) / 255.0f, GetBValue(mBackground) / 255.0f,
                 0.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  }

  void DrawRectangle() const {
    const double w = mSize.cx;
    const double h = mSize.cy;
    SetColor(mFillColor);
    glBegin(GL_TRIANGLES);
    glVertex2d(w / 8, h / 8);
    glVertex2d(3 * w / 8, h / 8);
    glVertex2d(3 * w / 8, 3 * h / 8);
    glVertex2d(w / 8, h / 8);
    glVertex2d(3 * w / 8, 3 * h / 8);
    glVertex2d(w / 8, 3 * h / 8);
    glEnd();
  }

  void DrawLine() const {
    SetColor(kLineColor);
    glLineWidth(2.0f);
    glBegin(GL_LINES);
    glVertex2d(0.0, mSize.cy / 2.0);
    glVertex2d(mSize.cx, mSize.cy / 2.0);
    glEnd();
  }

  SIZE mSize;
  COLORREF mBackground;
  COLORREF mFillColor;
  NprRenderProgress mProgress;
  NprGlBitmapContext mContext;
};

class TestGLShader final : public NprShader {
public:
  explicit TestGLShader(HINSTANCE module) : NprShader(module), mPages(module, "libTestGL-pages.so", 1, &mFillColor) {}

  int LoadSettings(const char* styleFile) override {
    char text[32] = {};
    GetPrivateProfileStringA(kTag, "FillColor", "", text, sizeof text, styleFile);
    mFillColor = text[0] != '\0' ? static_cast<COLORREF>(std::strtoul(text, nullptr, 10)) : kDefaultFillColor;
    return 1;
  }
  int SaveSettings(const char*) override { return 1; }
  const char* GetName(int) override { return "GL Test Shader"; }
  const char* GetReserved(int) override { return nullptr; }
  HBITMAP GetDefaultBitmap() override { return nullptr; }
  // The one page, "Fill", from the pages module (gl_test_pages.cpp).
  NprPageDialog* GetDialog(unsigned index) override { return mPages.Page(index, mMainDlg); }
  const char* GetTag(int) override { return kTag; }
  HBITMAP Render(const TS_Viewport&, const NprRenderSettings& settings, Scene* scene, NprRenderer::Progress* progress,
                 HANDLE* fileHandle, HANDLE* mappingHandle) override {
    // The scene's edges belong to this render alone, found or not.
    const NprEdgeCollectionsCleanup cleanup(scene);
    TestGLPass pass(settings, mFillColor, progress);
    return pass.Run(fileHandle, mappingHandle);
  }
  void OnSetMainDlg() override { mPages.SetMainDlg(mMainDlg); }

  virtual ~TestGLShader() = default;

private:
  COLORREF mFillColor = kDefaultFillColor;
  // After the settings, which the page shows: it goes first.
  NprPageSet mPages;
};

}  // namespace

NprShader* NprShaderCreate() {
  return NprCreatePluginShader<TestGLShader>(reinterpret_cast<const void*>(&NprShaderCreate));
}

void NprShaderDelete(NprShader* shader) { NprDeletePluginShader<TestGLShader>(shader); }
