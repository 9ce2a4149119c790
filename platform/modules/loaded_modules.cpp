#include "modules/loaded_modules.h"

#include <dlfcn.h>

namespace linvale::platform {

HMODULE ExecutableModule() {
  // dlopen(NULL) takes no reference worth dropping: the executable is never
  // unloaded.
  return static_cast<HMODULE>(dlopen(nullptr, RTLD_NOW));
}

link_map* LoadedModuleRecord(HMODULE module) {
  if (module == nullptr) {
    return nullptr;
  }
  link_map* record = nullptr;
  if (dlinfo(ExecutableModule(), RTLD_DI_LINKMAP, &record) != 0) {
    return nullptr;
  }
  for (; record != nullptr; record = record->l_next) {
    if (static_cast<void*>(record) == static_cast<void*>(module)) {
      return record;
    }
  }
  return nullptr;
}

link_map* ModuleRecordAt(const void* address) {
  Dl_info info{};
  link_map* record = nullptr;
  if (dladdr1(address, &info, reinterpret_cast<void**>(&record), RTLD_DL_LINKMAP) == 0) {
    return nullptr;
  }
  return record;
}

}  // namespace linvale::platform
