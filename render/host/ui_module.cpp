#include "ui_module.h"

#include "../settings/library_folder.h"

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

}  // namespace linvale::host
