// The built plug-in as the renderer meets it: loaded by the registry from
// the "Shaders" folder, exporting nothing but its entry points, and gone
// again once the registry lets it go.
#include "../support/temporary_home.h"

#include <linvale/npr_shader.h>
#include <linvale/npr_win32_owners.h>

#include <dlfcn.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <string>

namespace {

TEST(CartoonPlugin, LoadsThroughTheRegistryAndUnloadsCompletely) {
  const std::string folder = std::filesystem::path(CARTOON_PLUGIN_PATH).parent_path().string();
  TS_Light light;
  TS_Viewport view;
  NprShader::LoadFolder(folder.c_str(), light, view, false);
  NprShader* shader = NprShader::GetByTag("cartoon");
  ASSERT_NE(shader, nullptr);
  EXPECT_STREQ(shader->GetTag(0), "Cartoon");
  EXPECT_STREQ(shader->GetName(0), "Cartoon");
  EXPECT_EQ(shader->GetReserved(0), nullptr);
  // Without a Qt application there are no pages, and asking for one does
  // not map Qt into a process that has none.
  EXPECT_EQ(shader->GetDialog(0), nullptr);
  EXPECT_EQ(dlopen("libQt6Widgets.so.6", RTLD_LAZY | RTLD_NOLOAD), nullptr);
  const NprUniqueGdiObject<HBITMAP> picture(shader->GetDefaultBitmap());
  BITMAP header{};
  ASSERT_NE(GetObjectA(picture.get(), sizeof(header), &header), 0);
  EXPECT_EQ(header.bmWidth, 160);
  EXPECT_EQ(header.bmHeight, 160);

  // A save that cannot be written says so.
  linvale::test::TemporaryHome home;
  EXPECT_EQ(shader->SaveSettings((home / "out.npr").c_str()), 1);
  linvale::test::WriteText(home / "blocker", "a file, not a folder");
  EXPECT_EQ(shader->SaveSettings((home / "blocker/out.npr").c_str()), 0);

  void* library = dlopen(CARTOON_PLUGIN_PATH, RTLD_NOW | RTLD_NOLOAD);
  ASSERT_NE(library, nullptr);
  EXPECT_NE(dlsym(library, "NprShaderCreate"), nullptr);
  EXPECT_NE(dlsym(library, "NprShaderDelete"), nullptr);
  EXPECT_EQ(dlsym(library, "_Z19PaintDefaultPicturev"), nullptr);
  EXPECT_EQ(dlsym(library, "_Z17DrawableLineWidthi"), nullptr);
#ifndef LINVALE_SANITIZED
  // Not even what Linvale's headers mark visible: the shader's type
  // information found through the plug-in is Linvale's own. (UBSan's vptr
  // checks give an instrumented plug-in type information of its own.)
  EXPECT_EQ(dlsym(library, "_ZTI9NprShader"), dlsym(RTLD_DEFAULT, "_ZTI9NprShader"));
#endif
  dlclose(library);

  NprShader::UnLoadAll();
  EXPECT_EQ(dlopen(CARTOON_PLUGIN_PATH, RTLD_NOW | RTLD_NOLOAD), nullptr);
}

}  // namespace
