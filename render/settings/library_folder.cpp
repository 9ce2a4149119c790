#include "library_folder.h"

#include <linvale/npr_shader_plugin.h>

namespace linvale::settings {

std::string LibraryFolder() {
  // Any address inside the library names it; this function's will do.
  return NprModuleFolder(NprModuleAt(reinterpret_cast<const void*>(&LibraryFolder)));
}

}  // namespace linvale::settings
