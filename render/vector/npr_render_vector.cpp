// A vector render follows RenderScene step for step (plug-ins, settings
// copy, size doubled for the best antialiasing, shader by tag and its own
// style keys) so the lines land where the picture has them.
#include <linvale/npr_vector_render.h>

#include <linvale/npr_render_settings.h>
#include <linvale/npr_renderer.h>
#include <linvale/npr_shader.h>

#include "face_depth.h"

#include <limits>
#include <optional>

namespace {

std::array<double, 3> ColourFractions(COLORREF colour) {
  return {GetRValue(colour) / 255.0, GetGValue(colour) / 255.0, GetBValue(colour) / 255.0};
}

// The reference a vector render takes on its shader, however it ends.
class HeldShader {
public:
  explicit HeldShader(NprShader* shader) : mShader(shader != nullptr && shader->AddRef() != 0 ? shader : nullptr) {}
  ~HeldShader() {
    if (mShader != nullptr) {
      mShader->Release();
    }
  }
  HeldShader(const HeldShader&) = delete;
  HeldShader& operator=(const HeldShader&) = delete;
  NprShader* get() const { return mShader; }

private:
  NprShader* mShader;
};

std::optional<NprVectorDrawing> DrawWith(NprShader& shader, Scene* scene, const TS_Viewport& viewport,
                                         NprRenderSettings& local, const NprVectorOptions& options) {
  const SIZE page = local.GetImageSize();
  const int factor = local.GetAntialiasStyle() == NprRenderSettings::AntialiasBest ? 2 : 1;
  constexpr LONG largest = std::numeric_limits<LONG>::max() / 2;
  if (page.cx <= 0 || page.cy <= 0 || page.cx > largest || page.cy > largest) {
    return std::nullopt;
  }
  const SIZE drawn{page.cx * factor, page.cy * factor};
  local.SetImageSize(&drawn);
  shader.LoadSettings(local.GetConfigFileName());
  auto view = linvale::CaptureFaceDepth(viewport, drawn, 1.0 / factor, scene);
  if (!view) {
    return std::nullopt;
  }
  NprVectorCanvas canvas(std::move(*view), options);
  if (!shader.DrawVector(viewport, local, scene, canvas)) {
    return std::nullopt;
  }
  return canvas.TakeDrawing(page.cx, page.cy, ColourFractions(local.GetBackgroundColor()));
}

}  // namespace

bool NprRenderVector(NprRenderer& renderer, Scene* scene, const TS_Viewport& viewport,
                     const NprRenderSettings& settings, const NprVectorOptions& options, NprVectorDrawing& drawing) {
  try {
    if (renderer.OnLoad() == 0) {
      return false;
    }
    NprRenderSettings local = settings;
    const HeldShader shader(NprShader::GetByTag(local.GetShaderTag()));
    if (shader.get() == nullptr) {
      return false;
    }
    auto result = DrawWith(*shader.get(), scene, viewport, local, options);
    if (!result) {
      return false;
    }
    drawing = std::move(*result);
    return true;
  } catch (...) {
    // Nothing leaves the library; memory running out gives no drawing.
    return false;
  }
}
