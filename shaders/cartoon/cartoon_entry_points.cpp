// The two functions the renderer looks up in every plug-in library. They are
// the only symbols this library exports.
#include "cartoon_shader.h"

#include <new>

namespace {

// The library's own handle, found from an address inside it. The count is
// left alone: the registry's FreeLibrary balances its own LoadLibrary.
HINSTANCE ThisModule() {
  HMODULE module = nullptr;
  GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCSTR>(&NprShaderCreate), &module);
  return module;
}

}  // namespace

extern "C" NprShader* NprShaderCreate(void) {
  try {
    return new (std::nothrow) CartoonShader(ThisModule());
  } catch (...) {
    return nullptr;
  }
}

extern "C" void NprShaderDelete(NprShader* shader) {
  delete static_cast<CartoonShader*>(shader);
}
