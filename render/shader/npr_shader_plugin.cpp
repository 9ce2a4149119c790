#include <linvale/npr_shader_plugin.h>

#include <array>

HMODULE NprModuleAt(const void* address) {
  HMODULE module = nullptr;
  if (!GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                          static_cast<LPCSTR>(address), &module)) {
    return nullptr;
  }
  return module;
}

std::string NprModuleFolder(HMODULE module) {
  if (module == nullptr) {
    return {};
  }
  try {
    std::array<char, MAX_PATH> path{};
    const DWORD length = GetModuleFileNameA(module, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0 || length >= path.size()) {
      return {};
    }
    const std::string file(path.data(), length);
    const std::size_t slash = file.rfind('/');
    return slash == std::string::npos ? std::string() : file.substr(0, slash);
  } catch (...) {
    return {};  // no memory for the name: as if the loader could not tell
  }
}
