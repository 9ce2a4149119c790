// The two functions the renderer looks up in every plug-in library. They are
// the only symbols this library exports.
#include "cartoon_shader.h"

#include <linvale/npr_shader_plugin.h>

extern "C" NprShader* NprShaderCreate(void) {
  return NprCreatePluginShader<CartoonShader>(reinterpret_cast<const void*>(&NprShaderCreate));
}

extern "C" void NprShaderDelete(NprShader* shader) { NprDeletePluginShader<CartoonShader>(shader); }
