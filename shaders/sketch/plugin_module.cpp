#include "plugin_module.h"

#include <array>

namespace {

// Any address inside this library identifies it to the loader.
void AnchorInThisLibrary() {}

}  // namespace

HMODULE SketchModule() {
  HMODULE module = nullptr;
  GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCSTR>(&AnchorInThisLibrary), &module);
  return module;
}

std::string SketchModuleFolder() {
  const HMODULE module = SketchModule();
  if (module == nullptr) {
    return {};
  }
  std::array<char, MAX_PATH> path{};
  const DWORD length = GetModuleFileNameA(module, path.data(), static_cast<DWORD>(path.size()));
  if (length == 0 || length >= path.size()) {
    return {};
  }
  const std::string file(path.data(), length);
  const std::size_t slash = file.rfind('/');
  return slash == std::string::npos ? std::string() : file.substr(0, slash + 1);
}
