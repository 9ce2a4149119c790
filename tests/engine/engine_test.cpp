// Whole renders through the facade with the shipped shaders: the engine as
// the renderer's host, sizes, progress relayed to the host, saving.
#include "facade_meshes.h"
#include "quorra_engine.h"
#include "render_defaults.h"

#include <quorra/quorra.h>

#include <linvale/npr_render_settings.h>

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using quorra::test::Cube;
using quorra::test::CubeView;

class RecordingHost : public Npr::HostApplication {
public:
  HWND GetHostWindow() override { return nullptr; }
  void PrintText(const wchar_t* text) override { printed.emplace_back(text); }
  void OnStyleLoaded(const wchar_t* styleFile) override { loaded.emplace_back(styleFile); }
  void OnStyleSaved(const wchar_t* styleFile) override { saved.emplace_back(styleFile); }
  void OnProgressStart(int steps) override { startedWith.push_back(steps); }
  void OnProgressStep(int steps) override { stepped += steps; }
  void OnProgressDone() override { ++done; }
  void OnProgressTask(const wchar_t* name) override { tasks.emplace_back(name); }

  std::vector<std::wstring> printed, loaded, saved, tasks;
  std::vector<int> startedWith;
  int stepped = 0;
  int done = 0;
};

class FacadeEngine : public ::testing::Test {
protected:
  void SetUp() override {
    engine = Npr::Engine::create(host);
    ASSERT_NE(engine, nullptr);
    scene = engine->createScene();
    ASSERT_NE(scene, nullptr);
  }
  void TearDown() override {
    scene->release();
    EXPECT_EQ(engine->release(), 0u);
    EXPECT_EQ(NprHostApplicationServices::getDefaultHost(), nullptr);
  }

  RecordingHost host;
  Npr::Engine* engine = nullptr;
  Npr::Scene* scene = nullptr;
};

TEST_F(FacadeEngine, BecomesTheRenderersHostAndRelaysItsServices) {
  NprHostApplicationServices* services = NprHostApplicationServices::getDefaultHost();
  ASSERT_NE(services, nullptr);
  EXPECT_EQ(services, static_cast<NprHostApplicationServices*>(static_cast<Npr::Quorra*>(engine)));
  services->Print("%d shaders in %s", 2,
                  "Sch\xC3\xA4"
                  "fer");
  ASSERT_EQ(host.printed.size(), 1u);
  EXPECT_EQ(host.printed[0], L"2 shaders in Schäfer");

  // The host's folder questions reach the renderer through the engine.
  wchar_t folder[260] = {};
  ASSERT_EQ(host.GetStyleFolder(Npr::HostApplication::UserDataFolder, folder, 260), 1);
  EXPECT_TRUE(std::filesystem::is_directory(std::filesystem::path(folder)));
  EXPECT_EQ(host.GetStyleFolder(static_cast<Npr::HostApplication::FolderType>(4), folder, 260), 0);
  wchar_t tiny[4] = {};
  EXPECT_EQ(host.GetDefaultStyleFilePath(tiny, 4), 0);
  wchar_t style[260] = {};
  ASSERT_EQ(host.GetDefaultStyleFilePath(style, 260), 1);
  EXPECT_TRUE(std::wstring(style).ends_with(L"Custom.npr"));
}

TEST_F(FacadeEngine, RendersAHostSceneAtTheViewSize) {
  scene->addMesh(Cube(Npr::Gs::Color(0xFF3060C0u), false));
  scene->addMesh(Cube(Npr::Gs::Color(0xFF808080u), true));
  const Npr::View view = CubeView(200, 150);
  Npr::Gs::Surface* picture = engine->renderScene(scene, &view);
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(picture->size(), (Npr::Gs::Size{200, 150}));
  EXPECT_EQ(host.done, 1);
  ASSERT_FALSE(host.startedWith.empty());
  EXPECT_GT(host.startedWith[0], 0);
  EXPECT_GT(host.stepped, 0);
  EXPECT_FALSE(host.tasks.empty());
  delete picture;
}

TEST_F(FacadeEngine, RenderAtSizeOverridesTheViewOnceOnly) {
  scene->addMesh(Cube(Npr::Gs::Color(), false));
  const Npr::View view = CubeView(160, 120);
  const Npr::Gs::Size size{320, 200};
  Npr::Gs::Surface* sized = engine->renderSceneAtSize(scene, &view, &size);
  ASSERT_NE(sized, nullptr);
  EXPECT_EQ(sized->size(), size);
  delete sized;
  Npr::Gs::Surface* again = engine->renderScene(scene, &view);
  ASSERT_NE(again, nullptr);
  EXPECT_EQ(again->size(), (Npr::Gs::Size{160, 120}));
  delete again;
}

TEST_F(FacadeEngine, ConfirmedSettingsBecomeTheRenderDefaults) {
  const quorra::RenderDefaultsScope restoreForOtherTests;
  NprHostApplicationServices* services = NprHostApplicationServices::getDefaultHost();
  NprRenderSettings confirmed;
  confirmed.SetUseViewportSize(0);
  const SIZE custom{96, 64};
  confirmed.SetImageSize(&custom);
  services->OnSaveSettings(confirmed);
  ASSERT_EQ(host.saved.size(), 1u);

  scene->addMesh(Cube(Npr::Gs::Color(), false));
  const Npr::View view = CubeView(160, 120);
  Npr::Gs::Surface* picture = engine->renderScene(scene, &view);
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(picture->size(), (Npr::Gs::Size{96, 64}));
  delete picture;

  // What the dialog loads is told the same defaults.
  NprRenderSettings loaded;
  services->OnLoadSettings(loaded);
  EXPECT_EQ(loaded.GetUseViewportSize(), 0);
  EXPECT_EQ(loaded.GetImageSize().cx, 96);
  EXPECT_EQ(host.loaded.size(), 1u);
}

TEST_F(FacadeEngine, TheDialogStartsFromTheInitialDefaults) {
  NprRenderSettings loaded;
  loaded.SetUseViewportSize(0);
  loaded.SetAntialiasStyle(NprRenderSettings::AntialiasBest);
  NprHostApplicationServices::getDefaultHost()->OnLoadSettings(loaded);
  EXPECT_EQ(loaded.GetUseViewportSize(), 1);
  EXPECT_EQ(loaded.GetImageSize().cx, 640);
  EXPECT_EQ(loaded.GetImageSize().cy, 480);
  EXPECT_EQ(loaded.GetAntialiasStyle(), NprRenderSettings::AntialiasNormal);
  ASSERT_EQ(host.loaded.size(), 1u);
  EXPECT_EQ(host.loaded[0], std::wstring(loaded.GetConfigFileName(),
                                         loaded.GetConfigFileName() + std::strlen(loaded.GetConfigFileName())));
}

TEST_F(FacadeEngine, SavesOnlyWhatReachesTheFile) {
  scene->addMesh(Cube(Npr::Gs::Color(), false));
  const Npr::View view = CubeView(64, 48);
  Npr::Gs::Surface* picture = engine->renderScene(scene, &view);
  ASSERT_NE(picture, nullptr);
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / "quorra-engine-test";
  std::filesystem::create_directories(folder);
  const std::filesystem::path png = folder / "picture.png";
  std::filesystem::remove(png);
  EXPECT_TRUE(engine->saveImage(nullptr, picture, png.wstring().c_str()));
  EXPECT_GT(std::filesystem::file_size(png), 0u);
  const std::filesystem::path missingFolder = folder / "missing" / "picture.png";
  EXPECT_FALSE(engine->saveImage(nullptr, picture, missingFolder.wstring().c_str()));
  // No chooser exists yet: asking for one is a cancel.
  EXPECT_FALSE(engine->saveImage(nullptr, picture, nullptr));
  EXPECT_FALSE(engine->saveImage(nullptr, nullptr, png.wstring().c_str()));
  std::filesystem::remove_all(folder);
  delete picture;
}

TEST_F(FacadeEngine, NothingToRenderWithoutSceneOrView) {
  const Npr::View view = CubeView(64, 48);
  EXPECT_EQ(engine->renderScene(nullptr, &view), nullptr);
  EXPECT_EQ(engine->renderScene(scene, nullptr), nullptr);
  EXPECT_EQ(engine->renderSceneAtSize(scene, &view, nullptr), nullptr);
}

TEST(FacadeEngineLifetime, CreateTakesOneReferenceAndTheLastReleaseLeavesNoHost) {
  RecordingHost host;
  Npr::Engine* engine = Npr::Engine::create(host);
  ASSERT_NE(engine, nullptr);
  EXPECT_TRUE(Npr::mem::isValid(engine));
  EXPECT_EQ(engine->take(), 2u);
  EXPECT_EQ(engine->release(), 1u);
  EXPECT_NE(NprHostApplicationServices::getDefaultHost(), nullptr);
  EXPECT_EQ(engine->release(), 0u);
  EXPECT_EQ(NprHostApplicationServices::getDefaultHost(), nullptr);
  EXPECT_FALSE(Npr::mem::isValid(engine));
}

}  // namespace
