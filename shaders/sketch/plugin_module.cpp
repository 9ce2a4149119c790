#include "plugin_module.h"

#include <linvale/npr_shader_plugin.h>

namespace linvale::sketch {

namespace {

// Any address inside this library identifies it to the loader.
void AnchorInThisLibrary() {}

}  // namespace

std::string SketchModuleFolder() {
  const std::string folder = NprModuleFolder(NprModuleAt(reinterpret_cast<const void*>(&AnchorInThisLibrary)));
  return folder.empty() ? folder : folder + '/';
}

}  // namespace linvale::sketch
