// The smallest plug-in the registry accepts. Its display name is the path
// of its own file, so tests can tell copies of it apart and check that the
// shader was given the right module.
#include <linvale/npr_shader.h>

#include <string>

#include "shader_probe.h"

namespace {

class MinimalShader final : public NprShader {
public:
  explicit MinimalShader(HINSTANCE module) : NprShader(module) {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(module, path, MAX_PATH);
    mPath = path;
  }

  int LoadSettings(const char*) override { return 1; }
  int SaveSettings(const char*) override { return 1; }
  const char* GetName(int) override { return mPath.c_str(); }
  const char* GetReserved(int) override { return nullptr; }
  HBITMAP GetDefaultBitmap() override {
    ShaderProbeNote(ShaderProbeDefaultBitmap);
    return nullptr;
  }
  NprPageDialog* GetDialog(unsigned) override { return nullptr; }
  const char* GetTag(int) override { return "Minimal"; }
  HBITMAP Render(const TS_Viewport&, const NprRenderSettings&, Scene*, NprRenderer::Progress*, HANDLE*,
                 HANDLE*) override {
    return nullptr;
  }
  void OnSetMainDlg() override { ShaderProbeNote(ShaderProbeMainDialogSet); }

  virtual ~MinimalShader() = default;

private:
  std::string mPath;
};

}  // namespace

NprShader* NprShaderCreate() {
  HMODULE self = nullptr;
  if (!GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                          reinterpret_cast<LPCSTR>(&NprShaderCreate), &self)) {
    return nullptr;
  }
  try {
    return new MinimalShader(self);
  } catch (...) {
    return nullptr;
  }
}

void NprShaderDelete(NprShader* shader) {
  if (shader != nullptr) {
    delete static_cast<MinimalShader*>(shader);
    ShaderProbeNote(ShaderProbeDeleted);
  }
}
