#include <linvale/npr_page_module.h>
#include <linvale/npr_qt_widgets.h>

#include <filesystem>

// Never freed by the callers: Qt's process-wide state and the widgets' class
// data must not go away while the process runs on, even when a plug-in is
// unloaded and loaded again.
HMODULE NprLoadPageModule(HINSTANCE pluginModule, const char* libraryName) {
  if (libraryName == nullptr || !NprQtWidgetsLoaded()) {
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
