#include <win32/module.h>

#include <dlfcn.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>

#include "modules/loaded_modules.h"

using linvale::platform::ExecutableModule;
using linvale::platform::LoadedModuleRecord;
using linvale::platform::ModuleRecordAt;

namespace {

std::string ExecutablePath() {
  std::error_code error;
  auto path = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::string() : path.string();
}

// The loader records the name a library was opened by, which may be
// relative; callers expect a full path.
std::string RecordPath(const link_map* record) {
  if (record->l_name == nullptr || record->l_name[0] == '\0') {
    return ExecutablePath();
  }
  std::error_code error;
  auto path = std::filesystem::absolute(record->l_name, error);
  return error ? std::string(record->l_name) : path.lexically_normal().string();
}

DWORD CopyTruncated(const std::string& text, LPSTR buffer, DWORD size) {
  if (size == 0) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  const std::size_t copied = std::min<std::size_t>(text.size(), size - 1);
  std::memcpy(buffer, text.data(), copied);
  buffer[copied] = '\0';
  if (copied < text.size()) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return size;
  }
  SetLastError(ERROR_SUCCESS);
  return static_cast<DWORD>(copied);
}

// A counted handle for the library behind `record`, or the executable. A
// pinned library stays loaded whatever FreeLibrary is called later.
HMODULE HandleOf(link_map* record, bool pin) {
  if (record == LoadedModuleRecord(ExecutableModule())) {
    return ExecutableModule();
  }
  const int mode = RTLD_NOW | RTLD_NOLOAD | (pin ? RTLD_NODELETE : 0);
  return static_cast<HMODULE>(dlopen(record->l_name, mode));
}

link_map* RecordNamed(LPCSTR name) {
  if (name == nullptr) {
    return LoadedModuleRecord(ExecutableModule());
  }
  void* handle = dlopen(name, RTLD_NOW | RTLD_NOLOAD);
  if (handle == nullptr) {
    dlerror();
    return nullptr;
  }
  link_map* record = LoadedModuleRecord(static_cast<HMODULE>(handle));
  dlclose(handle);
  return record;
}

}  // namespace

DWORD GetModuleFileNameA(HMODULE module, LPSTR fileName, DWORD size) {
  if (fileName == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  const link_map* record = LoadedModuleRecord(module == nullptr ? ExecutableModule() : module);
  if (record == nullptr) {
    SetLastError(ERROR_MOD_NOT_FOUND);
    return 0;
  }
  const std::string path = RecordPath(record);
  if (path.empty()) {
    SetLastError(ERROR_MOD_NOT_FOUND);
    return 0;
  }
  return CopyTruncated(path, fileName, size);
}

BOOL GetModuleHandleExA(DWORD flags, LPCSTR name, HMODULE* module) {
  if (module == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  *module = nullptr;
  link_map* record = (flags & GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS) != 0 ? ModuleRecordAt(name) : RecordNamed(name);
  if (record == nullptr) {
    SetLastError(ERROR_MOD_NOT_FOUND);
    return FALSE;
  }
  HMODULE handle = HandleOf(record, (flags & GET_MODULE_HANDLE_EX_FLAG_PIN) != 0);
  if (handle == nullptr) {
    dlerror();
    SetLastError(ERROR_MOD_NOT_FOUND);
    return FALSE;
  }
  // The executable is never unloaded, so its handle needs no reference.
  if ((flags & GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT) != 0 && handle != ExecutableModule()) {
    dlclose(handle);
  }
  *module = handle;
  return TRUE;
}
