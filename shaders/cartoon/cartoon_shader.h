// The Cartoon shader: faces in hard shading bands, edges as solid outlines.
#pragma once

#include "cartoon_settings.h"

#include <linvale/npr_page_set.h>
#include <linvale/npr_shader.h>

class CartoonShader final : public NprShader {
public:
  explicit CartoonShader(HINSTANCE module);
  virtual ~CartoonShader();

  int LoadSettings(const char* styleFile) override;
  int SaveSettings(const char* styleFile) override;
  const char* GetName(int reserved) override;
  const char* GetReserved(int reserved) override;
  HBITMAP GetDefaultBitmap() override;
  // 0 is "Edges", 1 "Shade", made the first time either is asked for.
  NprPageDialog* GetDialog(unsigned index) override;
  const char* GetTag(int reserved) override;
  HBITMAP Render(const TS_Viewport& viewport, const NprRenderSettings& settings, Scene* scene,
                 NprRenderer::Progress* progress, HANDLE* fileHandle, HANDLE* mappingHandle) override;
  void OnSetMainDlg() override;
  bool DrawVector(const TS_Viewport& viewport, const NprRenderSettings& settings, Scene* scene,
                  NprVectorCanvas& canvas) override;

private:
  linvale::cartoon::CartoonSettings mSettings;
  // After the settings, which the pages edit: they go first.
  NprPageSet mPages;
};
