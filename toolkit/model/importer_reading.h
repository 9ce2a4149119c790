// Reading a model file through the importer, for every format and form the
// direct readers leave to it.
#pragma once

#include <tessel/ts_model.h>
#include <tessel/ts_string.h>

namespace tessel::detail {

// Fills the empty `model` from `path`; false with `error` naming the file
// and the reason otherwise. The importer's scene is gone when it returns.
bool ReadWithImporter(const char* path, TS_Model& model, TS_String& error);

}  // namespace tessel::detail
