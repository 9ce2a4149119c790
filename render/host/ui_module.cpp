#include "ui_module.h"

#include "../settings/library_folder.h"

#include <dlfcn.h>

#include <string>

namespace linvale::host {

namespace {

HMODULE LoadUiLibrary() {
  const std::string path = settings::LibraryFolder() + "/" + kUiLibraryName;
  return LoadLibraryA(path.c_str());
}

}  // namespace

FARPROC UiEntryPoint(const char* name) {
  // Loaded once and never freed: Qt keeps process-wide state (the
  // application object, its plug-ins, thread data) that does not survive
  // its libraries being unloaded while the process runs on.
  static const HMODULE module = LoadUiLibrary();
  return module == nullptr ? nullptr : GetProcAddress(module, name);
}

bool QtWidgetsLoaded() {
  // RTLD_NOLOAD only looks: the handle is a new reference to a library that
  // is already there, and is given back at once.
  void* widgets = dlopen("libQt6Widgets.so.6", RTLD_LAZY | RTLD_NOLOAD);
  if (widgets == nullptr) {
    return false;
  }
  dlclose(widgets);
  return true;
}

}  // namespace linvale::host
