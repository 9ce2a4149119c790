// How many steps a Cartoon render announces to its progress object.
#pragma once

#include "cartoon_settings.h"

namespace linvale::cartoon {

// One step per node for edges, faces and each edge kind drawn, plus the
// set-up, face and final phases and one for the antialias reduction.
int CartoonStepCount(unsigned int nodes, const CartoonSettings& settings, int antialiasStyle);

}  // namespace linvale::cartoon
