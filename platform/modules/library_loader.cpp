#include <win32/module.h>

#include <dlfcn.h>
#include <unistd.h>

#include "modules/loaded_modules.h"

using linvale::platform::LoadedModuleRecord;
using linvale::platform::ModuleRecordAt;

HMODULE LoadLibraryA(LPCSTR path) {
  if (path == nullptr || *path == '\0') {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  // RTLD_LOCAL keeps a plug-in's symbols private, so two plug-ins may
  // define the same names, as two DLLs may.
  void* handle = dlopen(path, RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) {
    dlerror();
    SetLastError(access(path, F_OK) == 0 ? ERROR_BAD_FORMAT : ERROR_MOD_NOT_FOUND);
    return nullptr;
  }
  return static_cast<HMODULE>(handle);
}

BOOL FreeLibrary(HMODULE module) {
  if (LoadedModuleRecord(module) == nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (dlclose(module) != 0) {
    dlerror();
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  return TRUE;
}

FARPROC GetProcAddress(HMODULE module, LPCSTR name) {
  link_map* record = LoadedModuleRecord(module);
  if (record == nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  if (name == nullptr) {
    SetLastError(ERROR_PROC_NOT_FOUND);
    return nullptr;
  }
  void* symbol = dlsym(module, name);
  // dlsym also searches the libraries the module depends on; an export of
  // the module itself is what the caller asked for.
  if (symbol == nullptr || ModuleRecordAt(symbol) != record) {
    dlerror();
    SetLastError(ERROR_PROC_NOT_FOUND);
    return nullptr;
  }
  return reinterpret_cast<FARPROC>(symbol);
}
