#include <linvale/npr_shader.h>

#include <linvale/npr_host_application_services.h>
#include <linvale/npr_preview_scene.h>
#include <linvale/npr_ui_main_dlg.h>

#include <cmath>
#include <new>
#include <numbers>

NprShader::NprShader(HINSTANCE module)
    : mModule(module),
      mRefCount(1),
      mMainDlg(nullptr),
      mCurDialogIndex(0),
      mIsPreviewSceneCreated(false),
      mHasPreviewViewport(false) {
  try {
    TS_Model model;
    mIsPreviewSceneCreated =
        NprReadPreviewModel(model) && NprBuildPreviewScene(model, mPreviewScene, mDefaultViewport, mHasPreviewViewport);
  } catch (...) {
    // A missing or broken preview model only costs the preview: the
    // shader shows its stock picture instead.
    mIsPreviewSceneCreated = false;
  }
}

NprShader::~NprShader() = default;

bool NprShader::DrawVector(const TS_Viewport&, const NprRenderSettings&, Scene*, NprVectorCanvas&) { return false; }

void NprShader::setMainDlg(NprUiMainDlg* dlg) {
  mMainDlg = dlg;
  OnSetMainDlg();
}

int NprShader::GetCurDialogIndex() { return mCurDialogIndex; }

void NprShader::SetCurDialogIndex(int index) { mCurDialogIndex = index; }

HBITMAP NprShader::GetBitmap() {
  if (!mIsPreviewSceneCreated) {
    return GetDefaultBitmap();
  }
  try {
    NprRenderSettings settings = getPreviewRenderSettings();
    const SIZE size{kNprPreviewSize, kNprPreviewSize};
    settings.SetImageSize(&size);
    if (NprHostApplicationServices* host = NprHostApplicationServices::getDefaultHost(); host != nullptr) {
      host->OnPreviewSettings(settings);
    }
    // The shader's own parameters are those the pages are editing, so
    // nothing is reloaded from a style file here.
    return Render(mDefaultViewport, settings, &mPreviewScene, nullptr, nullptr, nullptr);
  } catch (...) {
    return nullptr;
  }
}

NprRenderSettings NprShader::getPreviewRenderSettings() {
  // Without a dialog there is nothing being edited; the defaults stand in.
  return mMainDlg != nullptr ? mMainDlg->WorkingSettings() : NprRenderSettings();
}

void NprShader::setDefaultViewport(TS_Viewport& viewport) {
  // A camera that came with the preview model fits it better than the
  // host's.
  if (!mHasPreviewViewport) {
    mDefaultViewport = viewport;
  }
}

void NprShader::setDefaultLight(TS_Light& light) {
  mDefaultLight = light;
  try {
    mPreviewScene.Lights().Append(light);
  } catch (const std::bad_alloc&) {
    // The preview then goes without this light; nothing else depends on it.
  }
}

void NprShader::setIsPreviewSceneCreated(bool created) { mIsPreviewSceneCreated = created; }

void NprShader::FillMesh(TS_Mesh& mesh) {
  constexpr int steps = 40;
  constexpr float radius = 10.0f;
  constexpr double pi = std::numbers::pi;
  // Each quad gets its own four vertices, so the sphere has hard facets
  // wherever a shader wants to see them.
  mesh.Destroy();
  mesh.Reserve(4 * steps * steps, steps * steps);
  auto point = [&](double theta, double phi) {
    return TS_3fPoint(static_cast<float>(radius * std::cos(theta) * std::cos(phi)),
                      static_cast<float>(radius * std::sin(theta) * std::cos(phi)),
                      static_cast<float>(radius * std::sin(phi)));
  };
  int vertex = 0;
  int quad = 0;
  for (int i = 0; i < steps; ++i) {
    const double theta0 = i * pi / 20.0;
    const double theta1 = (i + 1) * pi / 20.0;
    for (int j = 0; j < steps; ++j) {
      const double phi0 = pi / 2.0 - j * pi / 40.0;
      const double phi1 = pi / 2.0 - (j + 1) * pi / 40.0;
      for (const TS_3fPoint& corner :
           {point(theta0, phi0), point(theta1, phi0), point(theta1, phi1), point(theta0, phi1)}) {
        mesh.SetVertex(vertex, corner);
        // Normals keep the radius as their length on purpose.
        mesh.SetVertexNormal(vertex, TS_3fVector(corner));
        ++vertex;
      }
      const int first = 4 * quad;
      mesh.SetQuad(quad, first + 3, first + 2, first + 1, first);
      ++quad;
    }
  }
}
