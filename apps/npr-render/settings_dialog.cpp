#include "settings_dialog.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include <tessel/ts_viewport.h>

#include "exit_status.h"

namespace npr_render {

namespace {

namespace fs = std::filesystem;

// The dialog edits and saves the user's default style; a user who has none
// yet starts from the style renders use without one, so that what OK saves
// is what the next render finds.
void SeedUserDefaultStyle(const NprHostApplicationServices& host, const std::string& defaultStyle) {
  char path[MAX_PATH] = "";
  if (host.GetDefaultStyleFilePath(path, sizeof path) == 0) {
    return;
  }
  std::error_code error;
  if (!fs::exists(path, error) && defaultStyle != path) {
    fs::create_directories(fs::path(path).parent_path(), error);
    fs::copy_file(defaultStyle, path, error);
  }
}

}  // namespace

int RunSettingsDialog(const NprHostApplicationServices& host, NprRenderer& renderer, const std::string& defaultStyle) {
  SeedUserDefaultStyle(host, defaultStyle);
  // A default camera lets the shaders draw live previews; the preview model
  // brings its own, which they prefer.
  TS_Viewport camera;
  camera.SetProjection(TS::perspective_view);
  renderer.setDefaultViewport(camera);
  if (renderer.OnLoad() == 0) {
    std::fprintf(stderr, "npr-render: no shader plug-ins found in %s/Shaders\n", renderer.BasePath());
    return kRenderError;
  }
  switch (renderer.ShowOptions(nullptr, 0)) {
    case 1: return kSuccess;
    case 2: return kSettingsCancelled;
    default:
      std::fprintf(stderr, "npr-render: the settings dialog needs a display (DISPLAY or WAYLAND_DISPLAY)\n");
      return kUsageError;
  }
}

}  // namespace npr_render
