// The Sketch shader: draws a model as a pencil sketch with hand-drawn,
// wavy, overshooting strokes, optional pencil or water-colour face fills and
// a paper texture over the picture.
#pragma once

#include "sketch_settings.h"

#include <linvale/npr_page_set.h>
#include <linvale/npr_shader.h>

#include <string>

class SketchShader final : public NprShader {
public:
  explicit SketchShader(HINSTANCE module);
  virtual ~SketchShader() = default;

  SketchShader(const SketchShader&) = delete;
  SketchShader& operator=(const SketchShader&) = delete;

  // Reads the "Sketch" section as written, out-of-range values included. 0
  // for a null path, else 1.
  int LoadSettings(const char* styleFile) override;
  // 1 when every key was written, 0 when one could not be.
  int SaveSettings(const char* styleFile) override;
  const char* GetName(int reserved) override;
  const char* GetReserved(int reserved) override;
  // A new 160 by 160 picture of the style, owned by the caller.
  HBITMAP GetDefaultBitmap() override;
  // 0 "Edges", 1 "Line Shape", 2 "Line Color", 3 "Fill", made the first
  // time one is asked for; null beyond.
  NprPageDialog* GetDialog(unsigned index) override;
  const char* GetTag(int reserved) override;
  HBITMAP Render(const TS_Viewport& viewport, const NprRenderSettings& settings, Scene* scene,
                 NprRenderer::Progress* progress, HANDLE* fileHandle, HANDLE* mappingHandle) override;
  void OnSetMainDlg() override;
  // The strokes as vector paths; fills and paper are left to the picture.
  bool DrawVector(const TS_Viewport& viewport, const NprRenderSettings& settings, Scene* scene,
                  NprVectorCanvas& canvas) override;

private:
  // The settings as the render pass needs them: within the page ranges and
  // with the paper path resolved against the style file.
  linvale::sketch::SketchSettings RenderableSettings() const;

  linvale::sketch::SketchSettings mSettings;
  std::string mStyleFile;  // the style the settings were last read from
  // After the settings, which the pages edit: they go first.
  NprPageSet mPages;
};
