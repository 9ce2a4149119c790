// The pages this module makes, in the order of the settings dialog's tabs.
#include "sketch_edges_page.h"
#include "sketch_fill_page.h"
#include "sketch_line_color_page.h"
#include "sketch_line_shape_page.h"

#include <linvale/npr_pages_module.h>

NprPageList NprMakePages(void* settings) {
  using namespace linvale::sketch;
  return NprMakePageList<SketchEdgesPage, SketchLineShapePage, SketchLineColorPage, SketchFillPage>(
      *static_cast<SketchSettings*>(settings));
}
