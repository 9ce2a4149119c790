#include <linvale/npr_host_application_services.h>
#include <linvale/npr_render_settings.h>

#include "../support/temporary_home.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

using linvale::test::TemporaryHome;

class TestHost : public NprHostApplicationServices {
public:
  void OnPreviewSettings(NprRenderSettings&) override {}
};

class RenderSettings : public ::testing::Test {
protected:
  void SetUp() override { NprHostApplicationServices::setDefaultHost(&mHost); }
  void TearDown() override { NprHostApplicationServices::setDefaultHost(nullptr); }

  TemporaryHome mHome;
  TestHost mHost;
};

TEST_F(RenderSettings, ANewRecordHoldsTheDefaults) {
  const NprRenderSettings settings;
  EXPECT_EQ(settings.GetUseHostSettings(), 1);
  EXPECT_EQ(std::string(settings.GetConfigFileName()), mHome / "data/Brisco/Orvelle SR3/Styles/Custom.npr");
  EXPECT_STREQ(settings.GetShaderName(), "");
  EXPECT_STREQ(settings.GetShaderTag(), "");
  EXPECT_STREQ(settings.GetBackgroundFileName(), "");
  EXPECT_STREQ(settings.GetStyle(), "");
  EXPECT_EQ(settings.GetUseViewportSize(), 0);
  EXPECT_EQ(settings.GetImageSize().cx, 1);
  EXPECT_EQ(settings.GetImageSize().cy, 1);
  EXPECT_EQ(settings.GetImageDPI(), 72u);
  EXPECT_EQ(settings.GetAntialiasStyle(), NprRenderSettings::AntialiasNormal);
  EXPECT_EQ(settings.GetBackgroundStyle(), 0);
  EXPECT_EQ(settings.GetBackgroundColor(), 0u);
  EXPECT_EQ(settings.GetAmbientLightColor(), 0x808080u);
}

TEST_F(RenderSettings, WithoutAHostTheConfigFileNameIsEmpty) {
  NprHostApplicationServices::setDefaultHost(nullptr);
  const NprRenderSettings settings;
  EXPECT_STREQ(settings.GetConfigFileName(), "");
  EXPECT_EQ(settings.GetAmbientLightColor(), 0x808080u);
}

TEST_F(RenderSettings, ACopyIsIndependentOfItsOriginal) {
  NprRenderSettings original;
  original.SetStyle("Pencil");
  original.SetShaderTag("Sketch");
  const SIZE size{640, 480};
  original.SetImageSize(&size);

  NprRenderSettings copy = original;
  EXPECT_STREQ(copy.GetStyle(), "Pencil");
  EXPECT_EQ(copy.GetImageSize().cx, 640);
  copy.SetStyle("Charcoal");
  copy.SetShaderTag("Cartoon");
  EXPECT_STREQ(original.GetStyle(), "Pencil");
  EXPECT_STREQ(original.GetShaderTag(), "Sketch");

  NprRenderSettings assigned;
  assigned = copy;
  copy.SetBackgroundFileName("/paper.png");
  EXPECT_STREQ(assigned.GetStyle(), "Charcoal");
  EXPECT_STREQ(assigned.GetBackgroundFileName(), "");
}

TEST_F(RenderSettings, TextSettersCutLongTextsToTheField) {
  NprRenderSettings settings;
  const std::string longText(1000, 'x');
  EXPECT_EQ(settings.SetConfigFileName(longText.c_str()), 1);
  settings.SetShaderName(longText.c_str());
  settings.SetShaderTag(longText.c_str());
  settings.SetBackgroundFileName(longText.c_str());
  settings.SetStyle(longText.c_str());
  for (const char* field : {settings.GetConfigFileName(), settings.GetShaderName(), settings.GetShaderTag(),
                            settings.GetBackgroundFileName(), settings.GetStyle()}) {
    EXPECT_EQ(std::strlen(field), 259u);
  }
  // Fields after each text are intact.
  EXPECT_EQ(settings.GetUseViewportSize(), 0);
  EXPECT_EQ(settings.GetAmbientLightColor(), 0x808080u);

  EXPECT_EQ(settings.SetConfigFileName(nullptr), 1);
  EXPECT_STREQ(settings.GetConfigFileName(), "");
}

}  // namespace
