// The two entry points the renderer looks up in every plug-in library.
#include "plugin_module.h"
#include "sketch_shader.h"

#include <new>

extern "C" {

NprShader* NprShaderCreate(void) {
  try {
    return new SketchShader(SketchModule());
  } catch (...) {
    return nullptr;
  }
}

void NprShaderDelete(NprShader* shader) { delete static_cast<SketchShader*>(shader); }
}
