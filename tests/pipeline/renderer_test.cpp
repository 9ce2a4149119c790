#include <linvale/npr_host_application_services.h>
#include <linvale/npr_render_settings.h>
#include <linvale/npr_renderer.h>
#include <linvale/npr_shader.h>
#include <linvale/npr_win32_owners.h>
#include <linvale/scene.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "support/bitmap_helpers.h"
#include "support/temporary_home.h"

namespace {

constexpr COLORREF background = RGB(255, 255, 255);
constexpr COLORREF fill = RGB(0, 160, 0);

class RecordingHost : public NprHostApplicationServices {
public:
  void Print(const char* format, ...) override {
    char text[512];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(text, sizeof text, format, arguments);
    va_end(arguments);
    printed.emplace_back(text);
  }
  void OnPreviewSettings(NprRenderSettings&) override {}

  std::vector<std::string> printed;
};

// Records every call; cancels once it has been shown `cancelAfterPictures`
// pictures (never when negative).
class RecordingProgress : public NprRenderer::Progress {
public:
  void SetStepCount(int steps) override { calls.push_back("SetStepCount " + std::to_string(steps)); }
  void Step(int steps, HBITMAP image) override {
    calls.push_back("Step " + std::to_string(steps) + (image != nullptr ? " picture" : ""));
    if (image != nullptr) {
      BITMAP info{};
      GetObject(image, sizeof info, &info);
      pictureSizes.push_back(SIZE{info.bmWidth, info.bmHeight});
    }
  }
  void SetResult(HBITMAP result) override {
    calls.push_back("SetResult");
    reported = result;
  }
  void SetTaskName(const char* name) override { calls.push_back(std::string("Task ") + name); }
  bool IsCanceled() override {
    return cancelAfterPictures >= 0 && static_cast<int>(pictureSizes.size()) >= cancelAfterPictures;
  }

  bool Called(const std::string& call) const { return std::find(calls.begin(), calls.end(), call) != calls.end(); }

  std::vector<std::string> calls;
  std::vector<SIZE> pictureSizes;
  HBITMAP reported = nullptr;
  int cancelAfterPictures = -1;
};

// A bitmap's pixels, rows from the bottom, looked at as COLORREF values.
struct Pixels : linvale::test::Colours32 {
  explicit Pixels(HBITMAP bitmap) : Colours32(linvale::test::ReadColours32(bitmap)) {}
  // Bytes are blue, green, red, spare: as a COLORREF, red and blue swap.
  COLORREF At(int x, int yFromBottom) const {
    const std::uint32_t bgr =
        values[static_cast<std::size_t>(yFromBottom) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)];
    return RGB(static_cast<BYTE>(bgr >> 16), static_cast<BYTE>(bgr >> 8), static_cast<BYTE>(bgr));
  }
};

DWORD OpenHandles() {
  DWORD count = 0;
  GetProcessHandleCount(GetCurrentProcess(), &count);
  return count;
}

class RenderPass : public ::testing::Test {
protected:
  void SetUp() override {
    mPreviousHost = NprHostApplicationServices::setDefaultHost(&mHost);
    const std::string styleFile = mHome / "test.npr";
    linvale::test::WriteText(styleFile, "[TestGL]\nFillColor=" + std::to_string(fill) + "\n");
    mSettings.SetConfigFileName(styleFile.c_str());
    mSettings.SetShaderTag("TestGL");
    mSettings.SetBackgroundColor(background);
    mSettings.SetAntialiasStyle(NprRenderSettings::AntialiasBest);
    const SIZE size{801, 600};
    mSettings.SetImageSize(&size);
  }
  void TearDown() override { NprHostApplicationServices::setDefaultHost(mPreviousHost); }

  HBITMAP Render(NprRenderer& renderer) { return renderer.RenderScene(&mScene, mViewport, mSettings, &mProgress); }

  linvale::test::TemporaryHome mHome;
  RecordingHost mHost;
  NprHostApplicationServices* mPreviousHost = nullptr;
  NprRenderSettings mSettings;
  Scene mScene;
  TS_Viewport mViewport;
  RecordingProgress mProgress;
};

TEST_F(RenderPass, BestAntialiasingDrawsTwiceTheSizeAndReducesTheResult) {
  NprRenderer renderer;
  const NprUniqueGdiObject<HBITMAP> result(Render(renderer));
  ASSERT_NE(result, nullptr);

  ASSERT_EQ(mProgress.pictureSizes.size(), 3u);
  for (const SIZE& drawn : mProgress.pictureSizes) {
    EXPECT_EQ(drawn.cx, 1602);
    EXPECT_EQ(drawn.cy, 1200);
  }
  const Pixels image(result.get());
  ASSERT_EQ(image.width, 801);
  ASSERT_EQ(image.height, 600);
  ASSERT_EQ(image.rows, 600);

  // The fill colour came from the shader's section of the settings' style
  // file; uniform areas come through the reduction unchanged.
  EXPECT_EQ(image.At(200, 150), fill);
  EXPECT_EQ(image.At(600, 100), background);
  EXPECT_EQ(image.At(600, 500), background);
  // The two-pixel line across the middle survives as one mostly blue row.
  const COLORREF line = image.At(600, 300);
  EXPECT_EQ(GetBValue(line), 255);
  EXPECT_LT(GetRValue(line), 128);

  const std::vector<std::string> ending{"Task Line", "Step 1 picture", "Task Antialiasing Filter", "Step 1",
                                        "SetResult"};
  ASSERT_GE(mProgress.calls.size(), ending.size());
  EXPECT_TRUE(std::equal(ending.begin(), ending.end(), mProgress.calls.end() - static_cast<long>(ending.size())));
  EXPECT_EQ(mProgress.reported, result.get());
  EXPECT_TRUE(mHost.printed.empty());

  // The caller's record is the caller's: the enlargement happened on a copy.
  const SIZE size = mSettings.GetImageSize();
  EXPECT_EQ(size.cx, 801);
  EXPECT_EQ(size.cy, 600);
  EXPECT_EQ(mSettings.GetAntialiasStyle(), NprRenderSettings::AntialiasBest);
  EXPECT_STREQ(mSettings.GetShaderTag(), "TestGL");
}

TEST_F(RenderPass, OtherAntialiasingLevelsRenderAtTheOutputSize) {
  for (auto style : {NprRenderSettings::AntialiasNone, NprRenderSettings::AntialiasNormal}) {
    mSettings.SetAntialiasStyle(style);
    mProgress = RecordingProgress();
    NprRenderer renderer;
    const NprUniqueGdiObject<HBITMAP> result(Render(renderer));
    ASSERT_NE(result, nullptr);
    const Pixels image(result.get());
    EXPECT_EQ(image.width, 801);
    EXPECT_EQ(image.height, 600);
    EXPECT_EQ(mProgress.pictureSizes.back().cx, 801);
    EXPECT_TRUE(mProgress.Called("Task Antialiasing Filter"));
    EXPECT_EQ(image.At(200, 150), fill);
  }
}

TEST_F(RenderPass, UnknownShaderTagIsReportedThroughTheHostOnly) {
  mSettings.SetShaderTag("NoSuchShader");
  NprRenderer renderer;
  EXPECT_EQ(Render(renderer), nullptr);
  EXPECT_EQ(mHost.printed, std::vector<std::string>{"Unable to select the shader."});
  EXPECT_TRUE(mProgress.calls.empty());
}

TEST_F(RenderPass, CancelAfterTheShaderReturnedKeepsTheEnlargedPicture) {
  mProgress.cancelAfterPictures = 3;
  NprRenderer renderer;
  const NprUniqueGdiObject<HBITMAP> result(Render(renderer));
  ASSERT_NE(result, nullptr);
  const Pixels image(result.get());
  EXPECT_EQ(image.width, 1602);
  EXPECT_EQ(image.height, 1200);
  EXPECT_EQ(image.At(400, 300), fill);
  EXPECT_FALSE(mProgress.Called("Task Antialiasing Filter"));
  ASSERT_GE(mProgress.calls.size(), 2u);
  EXPECT_EQ(mProgress.calls[mProgress.calls.size() - 2], "Step 1");
  EXPECT_EQ(mProgress.reported, result.get());
}

TEST_F(RenderPass, CancelInsideTheShaderReturnsWhatWasDrawn) {
  mProgress.cancelAfterPictures = 1;
  NprRenderer renderer;
  const NprUniqueGdiObject<HBITMAP> result(Render(renderer));
  ASSERT_NE(result, nullptr);
  const Pixels image(result.get());
  EXPECT_EQ(image.width, 1602);
  EXPECT_EQ(image.At(400, 300), background) << "the rectangle comes after the first picture";
  EXPECT_FALSE(mProgress.Called("Task Rectangle"));
}

// A host whose progress object throws once the picture exists gets no
// picture, and the one already made is not left behind.
TEST_F(RenderPass, AProgressObjectThatThrowsLosesThePictureButLeaksNothing) {
  struct ThrowingProgress : RecordingProgress {
    void SetTaskName(const char* name) override {
      if (std::string(name) == "Antialiasing Filter") {
        throw std::runtime_error("host fault");
      }
    }
  } progress;
  NprRenderer renderer;
  renderer.OnLoad();
  const auto before = linvale::test::LiveObjects::Now();
  EXPECT_EQ(renderer.RenderScene(&mScene, mViewport, mSettings, &progress), nullptr);
  EXPECT_EQ(linvale::test::LiveObjects::Now().gdi, before.gdi);
}

TEST_F(RenderPass, OnlyTheLastResultsMappingStaysOpen) {
  const DWORD before = OpenHandles();
  NprUniqueGdiObject<HBITMAP> first;
  NprUniqueGdiObject<HBITMAP> second;
  {
    NprRenderer renderer;
    first.reset(Render(renderer));
    second.reset(Render(renderer));
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(OpenHandles(), before + 1);
  }
  EXPECT_EQ(OpenHandles(), before);
  // Each bitmap keeps its own view of its pixels.
  EXPECT_EQ(Pixels(first.get()).At(200, 150), fill);
  EXPECT_EQ(Pixels(second.get()).At(200, 150), fill);
}

TEST_F(RenderPass, RendererFindsThePluginsBesideItsLibrary) {
  NprRenderer renderer;
  EXPECT_EQ(std::filesystem::path(renderer.BasePath()), std::filesystem::path(LINVALE_LIBRARY_DIR));
  EXPECT_GE(renderer.OnLoad(), 1);
  EXPECT_NE(NprShader::GetByTag("TestGL"), nullptr);
  renderer.OnUnLoad();
  EXPECT_EQ(NprShader::Shaders(), 0u);

  // Without a progress object nobody is told, but the render still works.
  const NprUniqueGdiObject<HBITMAP> result(renderer.RenderScene(&mScene, mViewport, mSettings, nullptr));
  ASSERT_NE(result, nullptr);
  EXPECT_EQ(Pixels(result.get()).width, 801);
}

}  // namespace
