// A shader's property pages, made the first time the settings dialog asks
// for one. The page set owns the pages; the module that makes them stays
// loaded (see NprLoadPageModule).
#pragma once

#include <linvale/export.h>
#include <linvale/npr_pages_interface.h>

#include <windows.h>

class LINVALE_API NprPageSet {
public:
  // `libraryName` is the pages module beside the renderer's libraries, which
  // makes `pageCount` pages editing `settings` (the shader's own record; it
  // must outlive the set).
  NprPageSet(HINSTANCE pluginModule, const char* libraryName, unsigned pageCount, void* settings);
  ~NprPageSet();
  NprPageSet(const NprPageSet&) = delete;
  NprPageSet& operator=(const NprPageSet&) = delete;

  // Null beyond the last page or when the pages module cannot be loaded
  // or cannot make its pages. The page reports its changes to `mainDlg`.
  NprPageDialog* Page(unsigned index, NprUiMainDlg* mainDlg);
  // Hands the settings dialog to the pages made so far.
  void SetMainDlg(NprUiMainDlg* mainDlg);

private:
  bool Load();

  HINSTANCE mPluginModule;
  const char* mLibraryName;
  unsigned mPageCount;
  void* mSettings;
  NprPagesGetFunction mGet = nullptr;
  NprPagesSetMainDlgFunction mSetMainDlg = nullptr;
  NprPagesDeleteFunction mDelete = nullptr;
  NprPages* mPages = nullptr;
};
