// The two entry points the renderer looks up in every plug-in library.
#include "sketch_shader.h"

#include <linvale/npr_shader_plugin.h>

extern "C" {

NprShader* NprShaderCreate(void) {
  return NprCreatePluginShader<SketchShader>(reinterpret_cast<const void*>(&NprShaderCreate));
}

void NprShaderDelete(NprShader* shader) { NprDeletePluginShader<SketchShader>(shader); }
}
