// Whether a path names something the importer can be let at.
#pragma once

#include <tessel/ts_string.h>

namespace tessel::detail {

// True for a regular file the process may read. Otherwise `error` names
// the path and says what is wrong with it in one line. A FIFO, device or
// socket is refused from its status alone: opening one can block for ever.
bool CheckModelFile(const char* path, TS_String& error);

}  // namespace tessel::detail
