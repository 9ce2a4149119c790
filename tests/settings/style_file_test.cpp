#include <linvale/npr_config_file.h>
#include <linvale/npr_host_application_services.h>
#include <linvale/npr_render_settings.h>
#include <linvale/npr_shader.h>

#include "../support/temporary_home.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

using linvale::test::ReadText;
using linvale::test::TemporaryHome;
using linvale::test::WriteText;

class TestHost : public NprHostApplicationServices {
public:
  void OnPreviewSettings(NprRenderSettings&) override {}
};

const char* const kPencilStyle =
    "[Common]\n"
    "Current Render=Sketch\n"
    "AmbientLightR=128\n"
    "AmbientLightG=128\n"
    "AmbientLightB=128\n"
    "BackgroundR=255\n"
    "BackgroundG=255\n"
    "BackgroundB=255\n"
    "WallPaper=\n"
    "OverwriteTarvikSettings=1\n"
    "Style=Pencil\n";

class StyleFile : public ::testing::Test {
protected:
  void SetUp() override { NprHostApplicationServices::setDefaultHost(&mHost); }
  void TearDown() override {
    NprShader::UnLoadAll();
    NprHostApplicationServices::setDefaultHost(nullptr);
  }

  std::string StyleWith(const std::string& extraCommonLines) {
    const std::string path = mHome / "style.npr";
    WriteText(path, "[Common]\n" + extraCommonLines);
    return path;
  }

  // A record whose every field differs from what loading would give.
  static NprRenderSettings Unusual() {
    NprRenderSettings settings;
    settings.SetUseHostSettings(0);
    settings.SetShaderName("Shown Name");
    settings.SetShaderTag("OldTag");
    settings.SetUseViewportSize(1);
    const SIZE size{800, 600};
    settings.SetImageSize(&size);
    settings.SetImageDPI(300);
    settings.SetAntialiasStyle(NprRenderSettings::AntialiasBest);
    settings.SetBackgroundStyle(static_cast<NprRenderSettings::BackgroundStyle>(2));
    settings.SetBackgroundColor(RGB(1, 2, 3));
    settings.SetBackgroundFileName("/old/paper.png");
    settings.SetAmbientLightColor(RGB(4, 5, 6));
    settings.SetStyle("Old Style");
    return settings;
  }

  void LoadProbeShader() {
    std::filesystem::create_directories(mHome.Path() / "Shaders");
    std::filesystem::copy_file(STYLE_PROBE_PLUGIN_PATH, mHome.Path() / "Shaders/style_probe.so");
    TS_Light light;
    TS_Viewport viewport;
    ASSERT_EQ(NprShader::LoadFolder((mHome / "Shaders").c_str(), light, viewport, false), 1u);
  }

  TemporaryHome mHome;
  TestHost mHost;
};

TEST_F(StyleFile, AMissingFileLoadsTheDefaultsAndKeepsWhatFilesDoNotHold) {
  NprRenderSettings settings = Unusual();
  settings.SetConfigFileName("/kept/config.npr");
  EXPECT_NE(settings.Load((mHome / "missing.npr").c_str(), true), 0);
  EXPECT_EQ(settings.GetAmbientLightColor(), 0x808080u);
  EXPECT_EQ(settings.GetBackgroundColor(), 0u);
  EXPECT_STREQ(settings.GetBackgroundFileName(), "");
  EXPECT_STREQ(settings.GetStyle(), "");
  EXPECT_STREQ(settings.GetShaderTag(), "");
  EXPECT_EQ(settings.GetUseHostSettings(), 1);

  EXPECT_STREQ(settings.GetConfigFileName(), "/kept/config.npr");
  EXPECT_STREQ(settings.GetShaderName(), "Shown Name");
  EXPECT_EQ(settings.GetUseViewportSize(), 1);
  EXPECT_EQ(settings.GetImageSize().cx, 800);
  EXPECT_EQ(settings.GetImageSize().cy, 600);
  EXPECT_EQ(settings.GetImageDPI(), 300u);
  EXPECT_EQ(settings.GetAntialiasStyle(), NprRenderSettings::AntialiasBest);
  EXPECT_EQ(settings.GetBackgroundStyle(), 2);

  EXPECT_EQ(settings.Load(nullptr, true), 0);
}

TEST_F(StyleFile, OnlyVersionOneLoads) {
  NprRenderSettings settings;
  const std::string path = mHome / "versioned.npr";
  for (const char* version : {"2", "3", "abc", "", "99999999999999999999"}) {
    WriteText(path, std::string("[Orvelle]\nVersion=") + version + "\n[Common]\nStyle=Versioned\n");
    EXPECT_EQ(settings.Load(path.c_str(), true), 0) << "Version=" << version;
  }
  WriteText(path, "[orvelle]\nversion = 1\n[Common]\nStyle=Versioned\n");
  EXPECT_NE(settings.Load(path.c_str(), true), 0);
  EXPECT_STREQ(settings.GetStyle(), "Versioned");
}

TEST_F(StyleFile, ReadsTheCommonKeys) {
  NprRenderSettings settings;
  const std::string path = StyleWith(
      "Current Render=Cartoon\nAmbientLightR=300\nAmbientLightG=7\nBackgroundB=200\n"
      "WallPaper=/textures/paper 1.png\nStyle=Comic\n");
  EXPECT_NE(settings.Load(path.c_str(), true), 0);
  EXPECT_STREQ(settings.GetShaderTag(), "Cartoon");
  // 300 keeps its low byte.
  EXPECT_EQ(settings.GetAmbientLightColor(), RGB(44, 7, 128));
  EXPECT_EQ(settings.GetBackgroundColor(), RGB(0, 0, 200));
  EXPECT_STREQ(settings.GetBackgroundFileName(), "/textures/paper 1.png");
  EXPECT_STREQ(settings.GetStyle(), "Comic");

  const std::pair<const char*, int> cases[] = {{"0", 0}, {"1", 1}, {"yes", 1}, {"", 1}, {"05", 0}};
  for (const auto& [text, expected] : cases) {
    settings.Load(StyleWith(std::string("OverwriteTarvikSettings=") + text + "\n").c_str(), true);
    EXPECT_EQ(settings.GetUseHostSettings(), expected) << "OverwriteTarvikSettings=" << text;
  }
}

TEST_F(StyleFile, SaveWritesTheCommonSectionAndLoadsBackTheSameRecord) {
  NprRenderSettings saved;
  saved.SetConfigFileName((mHome / "pencil.npr").c_str());
  saved.SetShaderTag("Sketch");
  saved.SetStyle("Pencil");
  saved.SetBackgroundColor(RGB(255, 255, 255));
  EXPECT_NE(saved.Save(), 0);
  EXPECT_EQ(ReadText(mHome / "pencil.npr"), kPencilStyle);

  saved.SetBackgroundFileName("/textures/wall.png");
  saved.SetAmbientLightColor(RGB(10, 20, 30));
  saved.SetUseHostSettings(0);
  EXPECT_NE(saved.Save(), 0);
  EXPECT_EQ(ReadText(mHome / "pencil.npr").find("Version"), std::string::npos);

  NprRenderSettings loaded;
  EXPECT_NE(loaded.Load(saved.GetConfigFileName(), true), 0);
  EXPECT_STREQ(loaded.GetShaderTag(), "Sketch");
  EXPECT_STREQ(loaded.GetStyle(), "Pencil");
  EXPECT_STREQ(loaded.GetBackgroundFileName(), "/textures/wall.png");
  EXPECT_EQ(loaded.GetBackgroundColor(), RGB(255, 255, 255));
  EXPECT_EQ(loaded.GetAmbientLightColor(), RGB(10, 20, 30));
  EXPECT_EQ(loaded.GetUseHostSettings(), 0);
}

TEST_F(StyleFile, SaveAsKeepsTheConfigFileNameAndFailuresAreReported) {
  NprRenderSettings settings;
  settings.SetConfigFileName((mHome / "config.npr").c_str());
  settings.SetStyle("Elsewhere");
  EXPECT_NE(settings.SaveAs((mHome / "copy.npr").c_str()), 0);
  EXPECT_EQ(std::string(settings.GetConfigFileName()), mHome / "config.npr");
  EXPECT_FALSE(std::filesystem::exists(mHome / "config.npr"));
  EXPECT_NE(ReadText(mHome / "copy.npr").find("Style=Elsewhere"), std::string::npos);

  EXPECT_EQ(settings.SaveAs((mHome / "no/such/folder/copy.npr").c_str()), 0);
  // A path too long for the file name field is not written cut short.
  const std::string longName = std::string(300, 'n') + ".npr";
  EXPECT_EQ(settings.SaveAs((mHome / longName).c_str()), 0);
  for (const auto& entry : std::filesystem::directory_iterator(mHome.Path())) {
    EXPECT_NE(entry.path().filename().string().front(), 'n') << entry.path();
  }
  EXPECT_EQ(settings.Load((mHome / longName).c_str(), true), 0);
  settings.SetConfigFileName((mHome / "no/such/folder/config.npr").c_str());
  EXPECT_EQ(settings.Save(), 0);
}

TEST_F(StyleFile, LoadWithoutPathFallsBackToTheStyleBesideTheLibrary) {
  const std::string shipped = (std::filesystem::path(LINVALE_LIBRARY_PATH).parent_path() / "Custom.npr").string();
  ASSERT_TRUE(std::filesystem::exists(shipped)) << "the build puts the default style beside the library";

  NprRenderSettings settings;
  EXPECT_NE(settings.Load(), 0);
  EXPECT_STREQ(settings.GetShaderTag(), "Sketch");
  EXPECT_EQ(settings.GetBackgroundColor(), RGB(255, 255, 255));

  // Once the user has a default style, that one is loaded.
  char path[MAX_PATH];
  ASSERT_EQ(mHost.GetDefaultStyleFilePath(path, sizeof path), 1);
  WriteText(path, "[Common]\nCurrent Render=Cartoon\nBackgroundR=9\n");
  EXPECT_NE(settings.Load(), 0);
  EXPECT_STREQ(settings.GetShaderTag(), "Cartoon");
  EXPECT_EQ(settings.GetBackgroundColor(), RGB(9, 0, 0));
}

TEST_F(StyleFile, TheStylesShaderReadsAndWritesItsOwnSection) {
  LoadProbeShader();
  const std::string path = mHome / "probe.npr";
  WriteText(path, "[Common]\nCurrent Render=probe\nStyle=Probed\n[Probe]\nWidth=7\n");

  // Found by name, the shader is the one the record names, not the file.
  NprRenderSettings byName;
  EXPECT_NE(byName.Load(path.c_str(), false), 0);
  EXPECT_NE(byName.SaveAs((mHome / "by-name.npr").c_str()), 0);
  EXPECT_NE(ReadText(mHome / "by-name.npr").find("[Probe]\nWidth=1\n"), std::string::npos);

  NprRenderSettings byTag;
  EXPECT_NE(byTag.Load(path.c_str(), true), 0);
  EXPECT_NE(byTag.SaveAs((mHome / "by-tag.npr").c_str()), 0);
  EXPECT_EQ(ReadText(mHome / "by-tag.npr"),
            "[Common]\nCurrent Render=probe\nAmbientLightR=128\nAmbientLightG=128\nAmbientLightB=128\n"
            "BackgroundR=0\nBackgroundG=0\nBackgroundB=0\nWallPaper=\nOverwriteTarvikSettings=1\n"
            "Style=Probed\n[Probe]\nWidth=7\n");
}

TEST_F(StyleFile, DamagedFilesLoadWhatCanBeRead) {
  std::string junk;
  for (int i = 0; i < 8192; ++i) {
    junk += static_cast<char>((i * 131 + 7) % 256);
  }
  const std::string path = mHome / "damaged.npr";
  WriteText(path, junk + "\n[Common]\nBackgroundR\nStyle=" + std::string(20000, 's') + "\n" +
                      "[Common]\nCurrent Render=Second\n[Orvelle]\n" + junk);
  NprRenderSettings settings;
  EXPECT_NE(settings.Load(path.c_str(), true), 0);
  EXPECT_EQ(std::string(settings.GetStyle()), std::string(259, 's'));
  EXPECT_STREQ(settings.GetShaderTag(), "");
  EXPECT_EQ(settings.GetBackgroundColor(), 0u);

  WriteText(path, junk);
  EXPECT_NE(settings.Load(path.c_str(), true), 0);
}

TEST(ConfigFile, ReadsNumbersAndTextsWithTheirCounts) {
  TemporaryHome home;
  const std::string path = home / "numbers.npr";
  WriteText(path, "[S]\nbig=99999999999\nnegative=-3\ntext=12abc\n");
  const NprConfigFile file(path.c_str());
  unsigned value = 0;
  EXPECT_EQ(file.GetUInt("S", "text", &value, 5), 5);
  EXPECT_EQ(value, 12u);
  EXPECT_EQ(file.GetUInt("S", "missing", &value, 1234), 4);
  EXPECT_EQ(value, 1234u);
  file.GetUInt("S", "big", &value, 0);
  EXPECT_EQ(value, 2147483647u);
  EXPECT_NE(file.WriteInt("S", "negative", -3), 0);
  char text[NprConfigFile::BufferSize];
  EXPECT_EQ(file.GetString("S", "negative", text, ""), 10);
  EXPECT_STREQ(text, "4294967293");
}

}  // namespace
