// Readers for the common forms of OBJ and STL files that build the
// toolkit's model straight from the file, several times faster than the
// importer and without its intermediate scene. Each gives exactly the model
// the importer's reading would give, or declines: a file using anything a
// reader does not know (and any damaged one) is left to the importer, whose
// result and messages then stay what they were.
#pragma once

#include <tessel/ts_model.h>

namespace tessel::detail {

// True when `model`, empty on entry, has been filled from the file; false
// leaves it empty for the importer.
bool ReadObjDirectly(const char* path, TS_Model& model);
bool ReadStlDirectly(const char* path, TS_Model& model);

}  // namespace tessel::detail
