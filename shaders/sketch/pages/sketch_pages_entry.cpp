// The pages module's entry points, the only symbols it exports.
#include "sketch_edges_page.h"
#include "sketch_fill_page.h"
#include "sketch_line_color_page.h"
#include "sketch_line_shape_page.h"
#include "sketch_pages_api.h"

#include <QApplication>

#include <memory>

struct SketchPages {
  explicit SketchPages(SketchSettings& settings)
      : edges(settings), lineShape(settings), lineColor(settings), fill(settings) {}
  linvale::sketch::SketchEdgesPage edges;
  linvale::sketch::SketchLineShapePage lineShape;
  linvale::sketch::SketchLineColorPage lineColor;
  linvale::sketch::SketchFillPage fill;
};

SketchPages* SketchPagesCreate(SketchSettings* settings) {
  // Widgets made without a widget application abort the process.
  if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) {
    return nullptr;
  }
  try {
    return std::make_unique<SketchPages>(*settings).release();
  } catch (...) {
    return nullptr;
  }
}

NprPageDialog* SketchPagesGet(SketchPages* pages, unsigned index) {
  switch (index) {
    case 0: return &pages->edges;
    case 1: return &pages->lineShape;
    case 2: return &pages->lineColor;
    case 3: return &pages->fill;
    default: return nullptr;
  }
}

void SketchPagesSetMainDlg(SketchPages* pages, NprUiMainDlg* mainDlg) {
  for (NprPageDialog* page : std::initializer_list<NprPageDialog*>{&pages->edges, &pages->lineShape,
                                                                   &pages->lineColor, &pages->fill}) {
    page->setMainDlg(mainDlg);
  }
}

void SketchPagesDelete(SketchPages* pages) {
  // Widgets cannot be destroyed once the application object is gone (a
  // plug-in released at process exit): the process is ending and takes
  // them along.
  if (QCoreApplication::instance() == nullptr) {
    return;
  }
  const std::unique_ptr<SketchPages> owned(pages);
}
