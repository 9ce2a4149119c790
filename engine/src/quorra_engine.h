// The facade's engine: the renderer's host for as long as it lives, the
// progress object of its renders, and the translator from the host's scene,
// view and wide texts into the renderer's.
#pragma once

#include <quorra/engine.h>
#include <quorra/host_application.h>

#include <linvale/npr_host_application_services.h>
#include <linvale/npr_renderer.h>

namespace Npr {

class Quorra : public Engine, public NprRenderer::Progress, public NprHostApplicationServices {
public:
  // Installs itself as the renderer's default host.
  explicit Quorra(HostApplication& host);
  // Leaves the renderer without a default host.
  ~Quorra() override;
  Quorra(const Quorra&) = delete;
  Quorra& operator=(const Quorra&) = delete;

  // Engine
  int showOptions(HWND parent) override;
  bool saveImage(HWND owner, Gs::Surface* surface, const wchar_t* path) override;
  Scene* createScene() override;
  Gs::Surface* renderSceneAtSize(Scene* scene, const View* view, const Gs::Size* size) override;
  Gs::Surface* renderScene(Scene* scene, const View* view) override;

  // NprRenderer::Progress: relayed to the host. A facade render cannot be
  // cancelled.
  void SetStepCount(int steps) override;
  void Step(int steps, HBITMAP image) override;
  void SetResult(HBITMAP result) override;
  void SetTaskName(const char* name) override;
  bool IsCanceled() override;

  // NprHostApplicationServices
  __attribute__((format(printf, 2, 3))) void Print(const char* format, ...) override;
  HWND GetMainWindow() override;
  void OnLoadSettings(NprRenderSettings& settings) override;
  void OnSaveSettings(NprRenderSettings& settings) override;
  void OnPreviewSettings(NprRenderSettings& settings) override;

private:
  Gs::Surface* render(Scene& scene, const View& view);
  int runOptionsDialog(HWND parent);

  HostApplication* mHost;
};

}  // namespace Npr
