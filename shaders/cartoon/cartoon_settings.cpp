#include "cartoon_settings.h"

#include <algorithm>
#include <cmath>

namespace linvale::cartoon {

int DrawableLineWidth(std::int32_t width) { return std::max(width, std::int32_t{1}); }

double UsableBlend(double fraction) { return std::isnan(fraction) ? 0.0 : fraction; }

}  // namespace linvale::cartoon
