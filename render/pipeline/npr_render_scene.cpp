// One render from a scene to a bitmap.
#include <linvale/npr_renderer.h>

#include <linvale/npr_host_application_services.h>
#include <linvale/npr_render_settings.h>
#include <linvale/npr_shader.h>
#include <linvale/npr_win32_owners.h>

#include <cmath>
#include <limits>
#include <optional>

#include "resource_strings.h"

namespace {

// Keeps the large intermediate bitmaps of a high-resolution render in
// physical memory.
constexpr SIZE_T minimumWorkingSet = 0x4000000;
constexpr SIZE_T maximumWorkingSet = 0x8000000;

double SupersamplingFactor(NprRenderSettings::AntialiasStyle style) {
  return style == NprRenderSettings::AntialiasBest ? 2.0 : 1.0;
}

// The size the shader draws at; nothing when it does not fit the size type.
std::optional<SIZE> EnlargedSize(SIZE output, double factor) {
  const double width = std::trunc(output.cx * factor);
  const double height = std::trunc(output.cy * factor);
  constexpr double largest = std::numeric_limits<LONG>::max();
  if (width > largest || height > largest) {
    return std::nullopt;
  }
  return SIZE{static_cast<LONG>(width), static_cast<LONG>(height)};
}

void TellHost(linvale::ResourceString message) {
  // Hosts are meant to be installed before the first render; one that was
  // not simply misses the message.
  if (NprHostApplicationServices* host = NprHostApplicationServices::getDefaultHost()) {
    host->Print("%s", linvale::LoadResourceString(message));
  }
}

// Holds the reference a render takes on its shader, however the render ends.
class ShaderReference {
public:
  explicit ShaderReference(NprShader* shader) : mShader(shader) {}
  ~ShaderReference() { mShader->Release(); }
  ShaderReference(const ShaderReference&) = delete;
  ShaderReference& operator=(const ShaderReference&) = delete;
  NprShader* operator->() const { return mShader; }

private:
  NprShader* mShader;
};

}  // namespace

HBITMAP NprRenderer::RenderScene(Scene* scene, const TS_Viewport& viewport, const NprRenderSettings& settings,
                                 NprRenderer::Progress* progress) {
  // A picture nobody will receive, because the render failed or a shader or
  // host threw after it was made, is freed with its owner.
  NprUniqueGdiObject<HBITMAP> result;
  try {
    if (OnLoad() == 0) {
      return nullptr;
    }
    NprRenderSettings local = settings;
    const SIZE output = local.GetImageSize();
    const auto drawn = EnlargedSize(output, SupersamplingFactor(local.GetAntialiasStyle()));
    if (!drawn) {
      return nullptr;
    }
    local.SetImageSize(&*drawn);

    NprShader* found = NprShader::GetByTag(local.GetShaderTag());
    // A tag no loaded shader answers to finds nothing; test that here rather
    // than call a member on a null pointer and rely on AddRef's own test.
    if (found == nullptr || found->AddRef() == 0) {
      TellHost(linvale::ResourceString::UnableToSelectShader);
      return nullptr;
    }
    {
      ShaderReference shader(found);
      shader->LoadSettings(local.GetConfigFileName());
      SetProcessWorkingSetSize(GetCurrentProcess(), minimumWorkingSet, maximumWorkingSet);
      CloseHandleSlots();
      result.reset(shader->Render(viewport, local, scene, progress, &mFileHandle, &mMappingHandle));
    }
    if (!result) {
      return nullptr;
    }
    // The callers the system has always pass a progress object; a null one
    // only means nobody listens.
    const bool canceled = progress != nullptr && progress->IsCanceled();
    if (!canceled) {
      if (progress != nullptr) {
        progress->SetTaskName(linvale::LoadResourceString(linvale::ResourceString::AntialiasingFilter));
      }
      if (local.GetAntialiasStyle() == NprRenderSettings::AntialiasBest) {
        if (const NprScreenDC screen = NprGetScreenDC()) {
          result.reset(StretchImageBilinear(screen.get(), result.release(), output));
        }
      }
    }
    if (progress != nullptr) {
      progress->Step(1, nullptr);
      progress->SetResult(result.get());
    }
    return result.release();
  } catch (...) {
    // Nothing may leave the library; a shader or host that threw has no
    // result to give.
    return nullptr;
  }
}
