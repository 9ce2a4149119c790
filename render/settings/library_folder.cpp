#include "library_folder.h"

#include <windows.h>

namespace linvale::settings {

std::string LibraryFolder() {
  HMODULE module = nullptr;
  // Any address inside the library names it; this function's will do.
  const auto* address = reinterpret_cast<LPCSTR>(&LibraryFolder);
  if (!GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                          address, &module)) {
    return {};
  }
  char path[MAX_PATH];
  const DWORD length = GetModuleFileNameA(module, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) {
    return {};
  }
  std::string folder(path, length);
  const auto slash = folder.find_last_of('/');
  return slash == std::string::npos ? std::string() : folder.substr(0, slash);
}

}  // namespace linvale::settings
