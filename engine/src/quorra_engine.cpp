#include "quorra_engine.h"

#include "render_defaults.h"
#include "no_exception.h"
#include "scene_conversion.h"
#include "wide_text.h"

#include <linvale/npr_render_settings.h>
#include <linvale/npr_win32_owners.h>
#include <linvale/scene.h>
#include <linvale/scene_builder.h>

#include <cstdarg>
#include <cstdio>
#include <filesystem>
#include <system_error>

namespace Npr {

namespace {

constexpr unsigned long kPathCapacity = 260;
constexpr std::size_t kPrintCapacity = 260;

// The facade reports "not written" also when the host's SaveImage claimed
// nothing: a write that fails leaves no file behind.
bool FileWritten(const wchar_t* path) {
  std::error_code error;
  return std::filesystem::is_regular_file(quorra::ToUtf8(path), error);
}

SIZE TargetSize(const View& view) {
  const quorra::RenderDefaults& defaults = quorra::SharedRenderDefaults();
  return defaults.useViewSize ? SIZE{view.width, view.height} : defaults.imageSize;
}

}  // namespace

Quorra::Quorra(HostApplication& host) : mHost(&host) { setDefaultHost(this); }

Quorra::~Quorra() { setDefaultHost(nullptr); }

Engine* Engine::create(HostApplication& host) {
  Quorra* engine = new (inPrivateHeap) Quorra(host);
  NprHostApplicationServices::setDefaultHost(engine);
  if (engine != nullptr) {
    engine->take();
  }
  return engine;
}

Scene* Quorra::createScene() { return createTaken<NprScene>(); }

Gs::Surface* Quorra::renderScene(Scene* scene, const View* view) {
  if (scene == nullptr || view == nullptr) {
    return nullptr;
  }
  return quorra::OrOnFailure<Gs::Surface*>(nullptr, [&] { return render(*scene, *view); });
}

Gs::Surface* Quorra::render(Scene& scene, const View& view) {
  NprRenderer renderer;
  if (renderer.OnLoad() == 0) {
    return nullptr;
  }
  ::Scene rendererScene;
  const SIZE target = TargetSize(view);
  const TS_Viewport viewport = quorra::ViewportFromView(view, target);
  quorra::ConvertScene(scene, viewport, rendererScene);
  NprRenderSettings settings;
  settings.Load();
  settings.SetImageSize(&target);
  settings.SetAntialiasStyle(quorra::SharedRenderDefaults().antialias);
  HBITMAP picture = renderer.RenderScene(&rendererScene, viewport, settings, this);
  renderer.OnUnLoad();
  return Gs::Surface::fromBitmap(picture);
}

Gs::Surface* Quorra::renderSceneAtSize(Scene* scene, const View* view, const Gs::Size* size) {
  if (size == nullptr) {
    return nullptr;
  }
  const quorra::RenderDefaultsScope restoreAfterwards;
  quorra::RenderDefaults& defaults = quorra::SharedRenderDefaults();
  defaults.useViewSize = false;
  defaults.imageSize = SIZE{size->width, size->height};
  // Through the virtual table, so that an engine derived from this one
  // renders its own way at the given size too.
  return renderScene(scene, view);
}

bool Quorra::saveImage(HWND owner, Gs::Surface* surface, const wchar_t* path) {
  NprHostApplicationServices* host = getDefaultHost();
  if (host == nullptr || surface == nullptr) {
    return false;
  }
  return quorra::OrOnFailure(false, [&] {
    if (path != nullptr) {
      host->SaveImage(surface->bitmap(), path);
      return FileWritten(path);
    }
    char chosen[kPathCapacity] = {};
    if (host->GetBitmapFilename(owner, chosen, kPathCapacity, 0) == 0) {
      return false;
    }
    const std::wstring widePath = quorra::ToWide(chosen);
    host->SaveImage(surface->bitmap(), widePath.c_str());
    return FileWritten(widePath.c_str());
  });
}

int Quorra::showOptions(HWND parent) {
  return quorra::OrOnFailure(0, [&] { return runOptionsDialog(parent); });
}

int Quorra::runOptionsDialog(HWND parent) {
  NprRenderer renderer;
  TS_Viewport viewport;
  viewport.Initialize();
  viewport.SetCameraLocation(TS_3dPoint(34.91, -60.46, 40.37));
  viewport.SetCameraDirection(TS_3dVector(-34.91, 60.46, -40.37));
  viewport.SetProjection(TS::perspective_view);
  viewport.SetCameraUp(TS_3dVector(0.0, 0.0, 1.0));
  viewport.SetScreenPort(0, 160, 160, 0, 0, 1);
  viewport.SetFrustum(-15.163, 15.163, -15.163, 15.162, 63.177, 98.453);
  double aspect = 1.0;
  if (viewport.GetScreenPortAspect(aspect)) {
    viewport.SetFrustumAspect(aspect);
  }
  renderer.setDefaultLight(NprDefaultLight(viewport));
  renderer.setDefaultViewport(viewport);
  if (renderer.OnLoad() == 0) {
    return 0;
  }
  renderer.setDefaultLight(TS_Light());
  return renderer.ShowOptions(parent, 1);
}

void Quorra::SetStepCount(int steps) { mHost->OnProgressStart(steps); }

void Quorra::Step(int steps, HBITMAP /*image*/) { mHost->OnProgressStep(steps); }

void Quorra::SetResult(HBITMAP /*result*/) { mHost->OnProgressDone(); }

void Quorra::SetTaskName(const char* name) {
  quorra::OrDropped([&] {
    const std::wstring wide = quorra::ToWide(name != nullptr ? name : "");
    mHost->OnProgressTask(wide.c_str());
  });
}

bool Quorra::IsCanceled() { return false; }

void Quorra::Print(const char* format, ...) {
  char text[kPrintCapacity];
  va_list arguments;
  va_start(arguments, format);
  std::vsnprintf(text, sizeof(text), format, arguments);
  va_end(arguments);
  quorra::OrDropped([&] {
    const std::wstring wide = quorra::ToWide(text);
    mHost->PrintText(wide.c_str());
  });
}

HWND Quorra::GetMainWindow() { return mHost->GetHostWindow(); }

void Quorra::OnLoadSettings(NprRenderSettings& settings) {
  const quorra::RenderDefaults& defaults = quorra::SharedRenderDefaults();
  settings.SetUseViewportSize(defaults.useViewSize ? 1 : 0);
  settings.SetImageSize(&defaults.imageSize);
  settings.SetAntialiasStyle(defaults.antialias);
  quorra::OrDropped([&] {
    const std::wstring styleFile = quorra::ToWide(settings.GetConfigFileName());
    mHost->OnStyleLoaded(styleFile.c_str());
  });
}

void Quorra::OnSaveSettings(NprRenderSettings& settings) {
  quorra::RenderDefaults& defaults = quorra::SharedRenderDefaults();
  defaults.useViewSize = settings.GetUseViewportSize() != 0;
  defaults.imageSize = settings.GetImageSize();
  defaults.antialias = settings.GetAntialiasStyle();
  quorra::OrDropped([&] {
    const std::wstring styleFile = quorra::ToWide(settings.GetConfigFileName());
    mHost->OnStyleSaved(styleFile.c_str());
  });
}

void Quorra::OnPreviewSettings(NprRenderSettings& /*settings*/) {}

}  // namespace Npr
