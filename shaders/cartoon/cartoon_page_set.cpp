#include "cartoon_page_set.h"

#include <linvale/npr_page_module.h>

namespace linvale::cartoon {

CartoonPageSet::CartoonPageSet(HINSTANCE pluginModule, CartoonSettings& settings)
    : mPluginModule(pluginModule), mSettings(settings) {}

CartoonPageSet::~CartoonPageSet() {
  if (mDelete != nullptr) {
    mDelete(mPages);
  }
}

NprPageDialog* CartoonPageSet::Page(unsigned index, NprUiMainDlg* mainDlg) {
  if (index >= kCartoonPageCount || (mPages == nullptr && !Load())) {
    return nullptr;
  }
  mSetMainDlg(mPages, mainDlg);
  return mGet(mPages, index);
}

void CartoonPageSet::SetMainDlg(NprUiMainDlg* mainDlg) {
  if (mPages != nullptr) {
    mSetMainDlg(mPages, mainDlg);
  }
}

bool CartoonPageSet::Load() {
  const HMODULE module = NprLoadPageModule(mPluginModule, kCartoonPagesLibrary);
  if (module == nullptr) {
    return false;
  }
  const auto create = reinterpret_cast<CartoonPagesCreateFunction>(GetProcAddress(module, "CartoonPagesCreate"));
  mGet = reinterpret_cast<CartoonPagesGetFunction>(GetProcAddress(module, "CartoonPagesGet"));
  mSetMainDlg = reinterpret_cast<CartoonPagesSetMainDlgFunction>(GetProcAddress(module, "CartoonPagesSetMainDlg"));
  mDelete = reinterpret_cast<CartoonPagesDeleteFunction>(GetProcAddress(module, "CartoonPagesDelete"));
  if (create == nullptr || mGet == nullptr || mSetMainDlg == nullptr || mDelete == nullptr) {
    mDelete = nullptr;
    return false;
  }
  mPages = create(&mSettings);
  return mPages != nullptr;
}

}  // namespace linvale::cartoon
