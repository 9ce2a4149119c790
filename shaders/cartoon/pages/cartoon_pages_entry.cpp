// The pages module's entry points, the only symbols it exports.
#include "cartoon_edges_page.h"
#include "cartoon_pages_api.h"
#include "cartoon_shade_page.h"

#include <QApplication>

#include <memory>

struct CartoonPages {
  explicit CartoonPages(CartoonSettings& settings) : edges(settings), shade(settings) {}
  linvale::cartoon::CartoonEdgesPage edges;
  linvale::cartoon::CartoonShadePage shade;
};

CartoonPages* CartoonPagesCreate(CartoonSettings* settings) {
  // Widgets made without a widget application abort the process.
  if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) {
    return nullptr;
  }
  try {
    return std::make_unique<CartoonPages>(*settings).release();
  } catch (...) {
    return nullptr;
  }
}

NprPageDialog* CartoonPagesGet(CartoonPages* pages, unsigned index) {
  switch (index) {
    case 0: return &pages->edges;
    case 1: return &pages->shade;
    default: return nullptr;
  }
}

void CartoonPagesSetMainDlg(CartoonPages* pages, NprUiMainDlg* mainDlg) {
  pages->edges.setMainDlg(mainDlg);
  pages->shade.setMainDlg(mainDlg);
}

void CartoonPagesDelete(CartoonPages* pages) {
  // Widgets cannot be destroyed once the application object is gone (a
  // plug-in released at process exit): the process is ending and takes
  // them along.
  if (QCoreApplication::instance() == nullptr) {
    return;
  }
  const std::unique_ptr<CartoonPages> owned(pages);
}
