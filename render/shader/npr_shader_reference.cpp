// Reference counting of shaders. Callers rely on AddRef and Release
// accepting a null object, which C++ leaves undefined; this file is built
// with -fno-delete-null-pointer-checks so that the optimiser keeps the null
// tests below.
#include <linvale/npr_shader.h>

namespace {

constexpr unsigned long unreadableShader = 0xFFFFFFFFUL;

bool IsReadable(const NprShader* shader) { return shader != nullptr; }

using DeleteEntryPoint = void (*)(NprShader*);

}  // namespace

unsigned long NprShader::AddRef() {
  if (!IsReadable(this)) {
    return 0;
  }
  return ++mRefCount;
}

unsigned long NprShader::Release() {
  if (!IsReadable(this)) {
    return unreadableShader;
  }
  if (--mRefCount != 0) {
    return mRefCount;
  }
  // The object was made by its plug-in's heap and code, so the plug-in
  // destroys it; the module is read first because the object is gone after.
  HINSTANCE module = mModule;
  if (auto destroy = reinterpret_cast<DeleteEntryPoint>(GetProcAddress(module, "NprShaderDelete"))) {
    destroy(this);
  }
  FreeLibrary(module);
  return 0;
}
