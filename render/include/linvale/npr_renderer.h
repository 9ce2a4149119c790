// The object a host creates to render: it finds the shader plug-ins beside
// the library, runs one render from a scene to a bitmap and opens the
// settings dialog.
#pragma once

#include <linvale/export.h>
#include <tessel/ts_light.h>
#include <tessel/ts_viewport.h>
#include <windows.h>

class NprRenderSettings;
class Scene;

class LINVALE_API NprRenderer {
public:
  // How a render reports its phases and how the caller stops it. Shaders
  // call it during their Render; the renderer reports the final bitmap.
  // The slot order is part of the plug-in interface.
  class LINVALE_API Progress {
  public:
    // A shader announces how many steps its render will report.
    virtual void SetStepCount(int steps) = 0;
    // `steps` more steps are done; `image`, when not null, is the picture so
    // far, which the caller may show but does not own.
    virtual void Step(int steps, HBITMAP image) = 0;
    // The final bitmap, reported just before RenderScene returns it.
    virtual void SetResult(HBITMAP result) = 0;
    // The phase that begins now, as text to show.
    virtual void SetTaskName(const char* name) = 0;
    // True when the user wants the render stopped.
    virtual bool IsCanceled() = 0;

  protected:
    // Progress objects belong to the caller and are never deleted through
    // this interface.
    ~Progress() = default;
  };

  NprRenderer();
  virtual ~NprRenderer();

  // The renderer owns the mapping behind its last result; a copy would
  // close it twice.
  NprRenderer(const NprRenderer&) = delete;
  NprRenderer& operator=(const NprRenderer&) = delete;

  // Loads the plug-ins of the "Shaders" folder beside the library; returns
  // how many were loaded (0 means none, which callers treat as failure).
  int OnLoad();
  void OnUnLoad();

  // Folder of the renderer library, without a trailing separator.
  const char* BasePath() const;

  // Both take effect at the next OnLoad: shaders get copies when loaded.
  void setDefaultLight(TS_Light light);
  void setDefaultViewport(TS_Viewport viewport);

  // Renders `scene` with the shader the settings name; the returned bitmap
  // belongs to the caller (null on failure). `progress` must not be null.
  HBITMAP RenderScene(Scene* scene, const TS_Viewport& viewport, const NprRenderSettings& settings,
                      NprRenderer::Progress* progress);

  // Runs the settings dialog modally.
  int ShowOptions(HWND parent, int mode);

private:
  HBITMAP StretchImageBilinear(HDC hdc, HBITMAP source, SIZE size);
  HBITMAP StretchImageGDI(HDC hdc, HBITMAP source, SIZE size);
  HBITMAP StretchImageDevIL(HDC hdc, HBITMAP source, SIZE size);
  void BlurImage(HDC hdc, HBITMAP bitmap, unsigned char threshold);

  void CloseHandleSlots();

  char mBasePath[MAX_PATH];
  TS_Light mDefaultLight;
  TS_Viewport mDefaultViewport;
  bool mHasDefaultViewport;
  HANDLE mFileHandle;
  HANDLE mMappingHandle;
};
