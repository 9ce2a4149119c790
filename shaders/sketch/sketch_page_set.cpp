#include "sketch_page_set.h"

#include <linvale/npr_page_module.h>

SketchPageSet::SketchPageSet(HINSTANCE pluginModule, SketchSettings& settings)
    : mPluginModule(pluginModule), mSettings(settings) {}

SketchPageSet::~SketchPageSet() {
  if (mDelete != nullptr) {
    mDelete(mPages);
  }
}

NprPageDialog* SketchPageSet::Page(unsigned index, NprUiMainDlg* mainDlg) {
  if (index >= kSketchPageCount || (mPages == nullptr && !Load())) {
    return nullptr;
  }
  mSetMainDlg(mPages, mainDlg);
  return mGet(mPages, index);
}

void SketchPageSet::SetMainDlg(NprUiMainDlg* mainDlg) {
  if (mPages != nullptr) {
    mSetMainDlg(mPages, mainDlg);
  }
}

bool SketchPageSet::Load() {
  const HMODULE module = NprLoadPageModule(mPluginModule, kSketchPagesLibrary);
  if (module == nullptr) {
    return false;
  }
  const auto create = reinterpret_cast<SketchPagesCreateFunction>(GetProcAddress(module, "SketchPagesCreate"));
  mGet = reinterpret_cast<SketchPagesGetFunction>(GetProcAddress(module, "SketchPagesGet"));
  mSetMainDlg = reinterpret_cast<SketchPagesSetMainDlgFunction>(GetProcAddress(module, "SketchPagesSetMainDlg"));
  mDelete = reinterpret_cast<SketchPagesDeleteFunction>(GetProcAddress(module, "SketchPagesDelete"));
  if (create == nullptr || mGet == nullptr || mSetMainDlg == nullptr || mDelete == nullptr) {
    mDelete = nullptr;
    return false;
  }
  mPages = create(&mSettings);
  return mPages != nullptr;
}
