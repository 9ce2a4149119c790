#include <IL/il.h>
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <string>

namespace {

// This program does not link Linvale, so DevIL stays uninitialised until
// the library is loaded.
TEST(ImageLibrary, StartsWhenTheRendererLibraryIsLoaded) {
  EXPECT_NE(ilGetInteger(IL_ORIGIN_MODE), IL_ORIGIN_LOWER_LEFT);

  const std::string path = std::string(LINVALE_LIBRARY_DIR) + "/liblinvale.so";
  void* linvale = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(linvale, nullptr) << dlerror();
  // ilInit installs DevIL's default states, among them this origin.
  EXPECT_EQ(ilGetInteger(IL_ORIGIN_MODE), IL_ORIGIN_LOWER_LEFT);
  dlclose(linvale);
}

}  // namespace
