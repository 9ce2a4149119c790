// The exported functions of every pages module, compiled into each one
// around the module's own NprMakePages.
#include <linvale/npr_pages_interface.h>
#include <linvale/npr_pages_module.h>

#include <QApplication>

struct NprPages {
  NprPageList pages;
};

NprPages* NprPagesCreate(void* settings) {
  // Widgets made without a widget application abort the process.
  if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) {
    return nullptr;
  }
  try {
    return std::make_unique<NprPages>(NprPages{NprMakePages(settings)}).release();
  } catch (...) {
    return nullptr;
  }
}

NprPageDialog* NprPagesGet(NprPages* pages, unsigned index) {
  return index < pages->pages.size() ? pages->pages[index].get() : nullptr;
}

void NprPagesSetMainDlg(NprPages* pages, NprUiMainDlg* mainDlg) {
  for (const std::unique_ptr<NprPageDialog>& page : pages->pages) {
    page->setMainDlg(mainDlg);
  }
}

void NprPagesDelete(NprPages* pages) {
  // Widgets cannot be destroyed once the application object is gone (a
  // plug-in released at process exit): the process is ending and takes
  // them along.
  if (QCoreApplication::instance() == nullptr) {
    return;
  }
  const std::unique_ptr<NprPages> owned(pages);
}
