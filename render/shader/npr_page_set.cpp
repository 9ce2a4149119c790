#include <linvale/npr_page_module.h>
#include <linvale/npr_page_set.h>

namespace {

template <typename Function>
Function Lookup(HMODULE module, const char* name) {
  return reinterpret_cast<Function>(GetProcAddress(module, name));
}

}  // namespace

NprPageSet::NprPageSet(HINSTANCE pluginModule, const char* libraryName, unsigned pageCount, void* settings)
    : mPluginModule(pluginModule), mLibraryName(libraryName), mPageCount(pageCount), mSettings(settings) {}

NprPageSet::~NprPageSet() {
  if (mDelete != nullptr) {
    mDelete(mPages);
  }
}

NprPageDialog* NprPageSet::Page(unsigned index, NprUiMainDlg* mainDlg) {
  if (index >= mPageCount || (mPages == nullptr && !Load())) {
    return nullptr;
  }
  mSetMainDlg(mPages, mainDlg);
  return mGet(mPages, index);
}

void NprPageSet::SetMainDlg(NprUiMainDlg* mainDlg) {
  if (mPages != nullptr) {
    mSetMainDlg(mPages, mainDlg);
  }
}

bool NprPageSet::Load() {
  const HMODULE module = NprLoadPageModule(mPluginModule, mLibraryName);
  if (module == nullptr) {
    return false;
  }
  const auto create = Lookup<NprPagesCreateFunction>(module, "NprPagesCreate");
  mGet = Lookup<NprPagesGetFunction>(module, "NprPagesGet");
  mSetMainDlg = Lookup<NprPagesSetMainDlgFunction>(module, "NprPagesSetMainDlg");
  mDelete = Lookup<NprPagesDeleteFunction>(module, "NprPagesDelete");
  if (create == nullptr || mGet == nullptr || mSetMainDlg == nullptr || mDelete == nullptr) {
    mDelete = nullptr;
    return false;
  }
  mPages = create(mSettings);
  return mPages != nullptr;
}
