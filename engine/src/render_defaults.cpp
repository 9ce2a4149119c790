#include "render_defaults.h"

namespace quorra {

RenderDefaults& SharedRenderDefaults() {
  static RenderDefaults defaults;
  return defaults;
}

}  // namespace quorra
