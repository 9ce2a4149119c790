// The folder the plug-in library lies in, where its fill images are.
#pragma once

#include <string>

namespace linvale::sketch {

// The folder of the plug-in library file, with a trailing separator; empty
// when the file name cannot be found.
std::string SketchModuleFolder();

}  // namespace linvale::sketch
