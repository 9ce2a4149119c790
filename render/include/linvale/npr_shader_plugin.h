// What a shader plug-in library builds its two entry points from: its own
// module, found from an address inside it, and a shader made with it.
#pragma once

#include <linvale/export.h>
#include <linvale/npr_shader.h>
#include <windows.h>

#include <string>

// The loaded library that holds `address`, without a reference of its own:
// the registry's FreeLibrary balances its own LoadLibrary. Null when no
// loaded library holds it.
LINVALE_API HMODULE NprModuleAt(const void* address);

// The folder `module`'s file lies in, without a trailing separator; empty
// when the loader cannot tell.
LINVALE_API std::string NprModuleFolder(HMODULE module);

// The body of a plug-in's NprShaderCreate: a new `Shader` made with the
// module that holds `addressInPlugin` (the entry point's own address will
// do), or null when that module is not found or the shader cannot be made.
template <typename Shader>
NprShader* NprCreatePluginShader(const void* addressInPlugin) noexcept {
  const HMODULE module = NprModuleAt(addressInPlugin);
  if (module == nullptr) {
    return nullptr;
  }
  try {
    return new Shader(module);
  } catch (...) {
    return nullptr;
  }
}

// The body of NprShaderDelete: destroys, through its complete type, a shader
// NprCreatePluginShader<Shader> made; null is ignored.
template <typename Shader>
void NprDeletePluginShader(NprShader* shader) noexcept {
  delete static_cast<Shader*>(shader);
}
