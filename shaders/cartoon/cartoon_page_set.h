// The shader's two property pages, made the first time the settings dialog
// asks for one. Owns the pages; the module that makes them stays loaded.
#pragma once

#include "cartoon_pages_api.h"

#include <windows.h>

namespace linvale::cartoon {

class CartoonPageSet {
public:
  // `pluginModule` locates the pages module: it lies in the folder above
  // the plug-in's, beside the renderer's libraries.
  CartoonPageSet(HINSTANCE pluginModule, CartoonSettings& settings);
  ~CartoonPageSet();
  CartoonPageSet(const CartoonPageSet&) = delete;
  CartoonPageSet& operator=(const CartoonPageSet&) = delete;

  // Null beyond the last page or when the pages module cannot be loaded.
  // The page reports its changes to `mainDlg`.
  NprPageDialog* Page(unsigned index, NprUiMainDlg* mainDlg);
  // Hands the settings dialog to the pages made so far.
  void SetMainDlg(NprUiMainDlg* mainDlg);

private:
  bool Load();

  HINSTANCE mPluginModule;
  CartoonSettings& mSettings;
  CartoonPagesGetFunction mGet = nullptr;
  CartoonPagesSetMainDlgFunction mSetMainDlg = nullptr;
  CartoonPagesDeleteFunction mDelete = nullptr;
  CartoonPages* mPages = nullptr;
};

}  // namespace linvale::cartoon
