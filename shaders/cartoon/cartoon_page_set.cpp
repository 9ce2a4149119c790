#include "cartoon_page_set.h"

#include <linvale/npr_qt_widgets.h>

#include <filesystem>

namespace linvale::cartoon {

CartoonPageSet::CartoonPageSet(HINSTANCE pluginModule, CartoonSettings& settings)
    : mPluginModule(pluginModule), mSettings(settings) {}

CartoonPageSet::~CartoonPageSet() {
  if (mDelete != nullptr) {
    mDelete(mPages);
  }
}

NprPageDialog* CartoonPageSet::Page(unsigned index) {
  if (index >= kCartoonPageCount || (mPages == nullptr && !Load())) {
    return nullptr;
  }
  return mGet(mPages, index);
}

bool CartoonPageSet::Load() {
  if (!NprQtWidgetsLoaded()) {
    return false;
  }
  char pluginPath[MAX_PATH] = "";
  if (GetModuleFileNameA(mPluginModule, pluginPath, sizeof pluginPath) == 0) {
    return false;
  }
  const std::filesystem::path library =
      std::filesystem::path(pluginPath).parent_path().parent_path() / kCartoonPagesLibrary;
  // Never freed: Qt's process-wide state and the widgets' class data must
  // not go away while the process runs on, even when the plug-in is
  // unloaded and loaded again.
  const HMODULE module = LoadLibraryA(library.c_str());
  if (module == nullptr) {
    return false;
  }
  const auto create = reinterpret_cast<CartoonPagesCreateFunction>(GetProcAddress(module, "CartoonPagesCreate"));
  mGet = reinterpret_cast<CartoonPagesGetFunction>(GetProcAddress(module, "CartoonPagesGet"));
  mDelete = reinterpret_cast<CartoonPagesDeleteFunction>(GetProcAddress(module, "CartoonPagesDelete"));
  if (create == nullptr || mGet == nullptr || mDelete == nullptr) {
    mDelete = nullptr;
    return false;
  }
  mPages = create(&mSettings);
  return mPages != nullptr;
}

}  // namespace linvale::cartoon
