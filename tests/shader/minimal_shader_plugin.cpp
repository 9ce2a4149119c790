// The smallest plug-in the registry accepts. Its display name is the path
// of its own file, so tests can tell copies of it apart and check that the
// shader was given the right module.
#include <linvale/npr_shader.h>
#include <linvale/npr_shader_plugin.h>

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
  return NprCreatePluginShader<MinimalShader>(reinterpret_cast<const void*>(&NprShaderCreate));
}

void NprShaderDelete(NprShader* shader) {
  if (shader != nullptr) {
    NprDeletePluginShader<MinimalShader>(shader);
    ShaderProbeNote(ShaderProbeDeleted);
  }
}
