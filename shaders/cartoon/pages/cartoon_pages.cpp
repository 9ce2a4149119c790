// The pages this module makes, in the order of the settings dialog's tabs.
#include "cartoon_edges_page.h"
#include "cartoon_shade_page.h"

#include <linvale/npr_pages_module.h>

NprPageList NprMakePages(void* settings) {
  using namespace linvale::cartoon;
  return NprMakePageList<CartoonEdgesPage, CartoonShadePage>(*static_cast<CartoonSettings*>(settings));
}
