// Filling a TS_Model from a CAD exchange file: the parts are read, meshed
// within the caller's budget, and become objects that keep their boundary
// form. OCCT stays behind this header.
#pragma once

#include <tessel/ts_model.h>

namespace tessel::detail {

// Reads `path` into the empty `model`. False, with `error` naming the file
// in one line, when the file cannot be read or meshed within `limits`, or
// `limits.canceled` said stop. Throws nothing but std::bad_alloc.
bool ReadCadModel(const char* path, const TS_ModelReadLimits& limits, TS_Model& model, TS_String& error);

}  // namespace tessel::detail
