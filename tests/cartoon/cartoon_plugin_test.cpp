// The built plug-in library as the registry sees it: its two entry points,
// the shader they create, and a clean unload afterwards.
#include "../support/temporary_home.h"

#include <linvale/npr_host_application_services.h>
#include <linvale/npr_shader.h>

#include <dlfcn.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <filesystem>
#include <string>

namespace {

class TestHost : public NprHostApplicationServices {
public:
  void OnPreviewSettings(NprRenderSettings&) override {}
};

using CreateFunction = NprShader* (*)();
using DeleteFunction = void (*)(NprShader*);

class CartoonPlugin : public testing::Test {
protected:
  void SetUp() override {
    mModule = LoadLibraryA(CARTOON_PLUGIN_PATH);
    ASSERT_NE(mModule, nullptr);
    mCreate = reinterpret_cast<CreateFunction>(GetProcAddress(mModule, "NprShaderCreate"));
    mDelete = reinterpret_cast<DeleteFunction>(GetProcAddress(mModule, "NprShaderDelete"));
    ASSERT_NE(mCreate, nullptr);
    ASSERT_NE(mDelete, nullptr);
    mShader = mCreate();
    ASSERT_NE(mShader, nullptr);
  }
  void TearDown() override {
    if (mDelete != nullptr) {
      mDelete(mShader);
    }
    if (mModule != nullptr) {
      FreeLibrary(mModule);
    }
  }

  linvale::test::TemporaryHome mHome;
  HMODULE mModule = nullptr;
  CreateFunction mCreate = nullptr;
  DeleteFunction mDelete = nullptr;
  NprShader* mShader = nullptr;
};

TEST_F(CartoonPlugin, IdentifiesItselfAndHasNoPagesYet) {
  EXPECT_STREQ(mShader->GetTag(0), "Cartoon");
  EXPECT_STREQ(mShader->GetName(0), "Cartoon");
  EXPECT_EQ(mShader->GetReserved(0), nullptr);
  EXPECT_EQ(mShader->GetDialog(0), nullptr);
  EXPECT_EQ(mShader->GetDialog(2), nullptr);
}

TEST_F(CartoonPlugin, GivesANewDefaultPictureOfOneHundredAndSixtyPixelsEachTime) {
  HBITMAP first = mShader->GetDefaultBitmap();
  HBITMAP second = mShader->GetDefaultBitmap();
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  EXPECT_NE(first, second);
  BITMAP header{};
  ASSERT_NE(GetObjectA(first, sizeof(header), &header), 0);
  EXPECT_EQ(header.bmWidth, 160);
  EXPECT_EQ(header.bmHeight, 160);
  EXPECT_TRUE(DeleteObject(first));
  EXPECT_TRUE(DeleteObject(second));
}

TEST_F(CartoonPlugin, SavesWhatItLoadedAndReportsASaveThatFailed) {
  TestHost host;
  const std::string source = mHome / "source.npr";
  const std::string copy = mHome / "copy.npr";
  linvale::test::WriteText(source, "[Cartoon]\nwidthSil=6\nsilColorR=9\nvarShadow=0.750000\n");
  EXPECT_EQ(mShader->LoadSettings(source.c_str()), 1);
  EXPECT_EQ(mShader->SaveSettings(copy.c_str()), 1);
  const std::string saved = linvale::test::ReadText(copy);
  EXPECT_NE(saved.find("widthSil=6"), std::string::npos);
  EXPECT_NE(saved.find("silColorR=9"), std::string::npos);
  EXPECT_NE(saved.find("varShadow=0.750000"), std::string::npos);

  linvale::test::WriteText(mHome / "blocker", "a file, not a folder");
  const std::string unwritable = mHome / "blocker/style.npr";
  EXPECT_EQ(mShader->SaveSettings(unwritable.c_str()), 0);
}

TEST(CartoonPluginLibrary, ExportsOnlyItsEntryPointsAndUnloadsCompletely) {
  void* library = dlopen(CARTOON_PLUGIN_PATH, RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(library, nullptr) << dlerror();
  EXPECT_NE(dlsym(library, "NprShaderCreate"), nullptr);
  EXPECT_NE(dlsym(library, "NprShaderDelete"), nullptr);
  EXPECT_EQ(dlsym(library, "_Z19PaintDefaultPicturev"), nullptr);
  EXPECT_EQ(dlsym(library, "_Z17ClampToPageRangesR15CartoonSettings"), nullptr);
  dlclose(library);
  EXPECT_EQ(dlopen(CARTOON_PLUGIN_PATH, RTLD_NOW | RTLD_NOLOAD), nullptr);
}

}  // namespace
