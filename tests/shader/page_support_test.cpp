// What the plug-ins' property pages share from Linvale: the texts a whole
// number field takes, the probe that decides whether a chosen image is
// usable, and the loader that keeps Qt out of a headless process.
#include <linvale/npr_image_probe.h>
#include <linvale/npr_page_module.h>
#include <linvale/npr_shader_plugin.h>
#include <linvale/npr_typed_number.h>

#include <gtest/gtest.h>

#include <dlfcn.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <fstream>

#include "support/temporary_home.h"

namespace {

TEST(PageSupport, TypedTextIsAWholeNumberOrNothing) {
  EXPECT_EQ(NprParseTypedWholeNumber("7"), 7);
  EXPECT_EQ(NprParseTypedWholeNumber("-12"), -12);
  EXPECT_EQ(NprParseTypedWholeNumber("+3"), 3);
  EXPECT_EQ(NprParseTypedWholeNumber("0"), 0);
  for (const char* refused : {"", "-", "+", "+-1", "1.", "2.5", "12a", " 4", "4 ", "0x10", "99999999999999999999"}) {
    EXPECT_FALSE(NprParseTypedWholeNumber(refused)) << refused;
  }
}

// The smallest picture DevIL reads: a 1 by 1, 24-bit Windows bitmap.
void WriteOnePixelBitmap(const std::filesystem::path& path) {
  const std::array<std::uint8_t, 58> bytes = {
      'B', 'M', 58, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,                       // file header
      40, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 24, 0, 0, 0, 0, 0, 4, 0,  // info header
      0, 0, 0x13, 0x0b, 0, 0, 0x13, 0x0b, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
      0x80, 0x80, 0x80, 0};  // one grey pixel, padded to four bytes
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

TEST(PageSupport, AnImageIsUsableOnlyWhenItLoads) {
  const linvale::test::TemporaryFolder folder;
  const std::filesystem::path picture = folder.Path() / "grain.bmp";
  WriteOnePixelBitmap(picture);
  EXPECT_TRUE(NprImageFileLoads(picture.c_str()));

  const std::filesystem::path text = folder.Path() / "notes.bmp";
  std::ofstream(text) << "no picture";
  EXPECT_FALSE(NprImageFileLoads(text.c_str()));
  EXPECT_FALSE(NprImageFileLoads((folder.Path() / "missing.png").c_str()));
  EXPECT_FALSE(NprImageFileLoads(folder.Path().c_str()));
  EXPECT_FALSE(NprImageFileLoads(""));
  EXPECT_FALSE(NprImageFileLoads(nullptr));
}

// A plug-in in "Shaders" below a folder that holds a stand-in pages
// module; both are copies of the minimal plug-in.
class PageModuleTest : public ::testing::Test {
protected:
  void SetUp() override {
    std::filesystem::create_directories(mFolder.Path() / "Shaders");
    std::filesystem::copy_file(MINIMAL_PLUGIN_PATH, mFolder.Path() / "Shaders/plugin.so");
    std::filesystem::copy_file(MINIMAL_PLUGIN_PATH, mFolder.Path() / "libpages.so");
    mPlugin = LoadLibraryA((mFolder.Path() / "Shaders/plugin.so").c_str());
    ASSERT_NE(mPlugin, nullptr);
  }
  void TearDown() override { FreeLibrary(mPlugin); }

  linvale::test::TemporaryFolder mFolder;
  HMODULE mPlugin = nullptr;
};

TEST_F(PageModuleTest, NothingIsLoadedWhereQtWidgetsIsNot) {
  // This test program maps no Qt, and a pages module would bring it in.
  ASSERT_EQ(dlopen("libQt6Widgets.so.6", RTLD_LAZY | RTLD_NOLOAD), nullptr);
  EXPECT_EQ(NprLoadPageModule(mPlugin, "libpages.so"), nullptr);
}

TEST_F(PageModuleTest, TheModuleIsFoundAboveThePluginOnceQtWidgetsRuns) {
  void* widgets = dlopen("libQt6Widgets.so.6", RTLD_LAZY);
  ASSERT_NE(widgets, nullptr);
  const HMODULE pages = NprLoadPageModule(mPlugin, "libpages.so");
  ASSERT_NE(pages, nullptr);
  const auto entry = reinterpret_cast<const void*>(GetProcAddress(pages, "NprShaderCreate"));
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(NprModuleFolder(NprModuleAt(entry)), mFolder.Path().string());
  EXPECT_EQ(NprLoadPageModule(mPlugin, "libmissing.so"), nullptr);
  EXPECT_EQ(NprLoadPageModule(mPlugin, nullptr), nullptr);
}

}  // namespace
