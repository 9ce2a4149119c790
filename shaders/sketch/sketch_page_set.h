// The shader's four property pages, made the first time the settings
// dialog asks for one. Owns the pages; the module that makes them stays
// loaded.
#pragma once

#include "sketch_pages_api.h"

#include <windows.h>

class SketchPageSet {
public:
  SketchPageSet(HINSTANCE pluginModule, SketchSettings& settings);
  ~SketchPageSet();
  SketchPageSet(const SketchPageSet&) = delete;
  SketchPageSet& operator=(const SketchPageSet&) = delete;

  // Null beyond the last page or when the pages module cannot be loaded.
  // The page reports its changes to `mainDlg`.
  NprPageDialog* Page(unsigned index, NprUiMainDlg* mainDlg);
  // Hands the settings dialog to the pages made so far.
  void SetMainDlg(NprUiMainDlg* mainDlg);

private:
  bool Load();

  HINSTANCE mPluginModule;
  SketchSettings& mSettings;
  SketchPagesGetFunction mGet = nullptr;
  SketchPagesSetMainDlgFunction mSetMainDlg = nullptr;
  SketchPagesDeleteFunction mDelete = nullptr;
  SketchPages* mPages = nullptr;
};
