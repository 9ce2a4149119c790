#include <linvale/npr_page_module.h>

#include <dlfcn.h>

#include <filesystem>

namespace {

// Asked without loading: a headless process is not made to map Qt.
bool QtWidgetsLoaded() {
  void* widgets = dlopen("libQt6Widgets.so.6", RTLD_LAZY | RTLD_NOLOAD);
  if (widgets == nullptr) {
    return false;
  }
  dlclose(widgets);
  return true;
}

}  // namespace

HMODULE NprLoadPageModule(HINSTANCE pluginModule, const char* libraryName) {
  if (libraryName == nullptr || !QtWidgetsLoaded()) {
    return nullptr;
  }
  char pluginPath[MAX_PATH] = "";
  if (GetModuleFileNameA(pluginModule, pluginPath, sizeof pluginPath) == 0) {
    return nullptr;
  }
  try {
    const std::filesystem::path library =
        std::filesystem::path(pluginPath).parent_path().parent_path() / libraryName;
    return LoadLibraryA(library.c_str());
  } catch (...) {
    return nullptr;
  }
}
