// A plug-in that keeps one number of its own in the style file, so the
// style tests can see when the settings let their shader load and save.
#include <linvale/npr_shader.h>
#include <linvale/npr_shader_plugin.h>

#include <cstdio>
#include <cstdlib>

namespace {

class StyleProbeShader final : public NprShader {
public:
  explicit StyleProbeShader(HINSTANCE module) : NprShader(module) {}

  int LoadSettings(const char* styleFile) override {
    char text[MAX_PATH];
    GetPrivateProfileStringA("Probe", "Width", "", text, sizeof text, styleFile);
    if (text[0] != '\0') {
      mWidth = std::atoi(text);
    }
    return 1;
  }
  int SaveSettings(const char* styleFile) override {
    char text[16];
    std::snprintf(text, sizeof text, "%d", mWidth);
    return WritePrivateProfileStringA("Probe", "Width", text, styleFile);
  }
  const char* GetName(int) override { return "Style Probe"; }
  const char* GetReserved(int) override { return nullptr; }
  HBITMAP GetDefaultBitmap() override { return nullptr; }
  NprPageDialog* GetDialog(unsigned) override { return nullptr; }
  const char* GetTag(int) override { return "Probe"; }
  HBITMAP Render(const TS_Viewport&, const NprRenderSettings&, Scene*, NprRenderer::Progress*, HANDLE*,
                 HANDLE*) override {
    return nullptr;
  }
  void OnSetMainDlg() override {}

  virtual ~StyleProbeShader() = default;

private:
  int mWidth = 1;
};

}  // namespace

NprShader* NprShaderCreate() {
  return NprCreatePluginShader<StyleProbeShader>(reinterpret_cast<const void*>(&NprShaderCreate));
}

void NprShaderDelete(NprShader* shader) { NprDeletePluginShader<StyleProbeShader>(shader); }
