// The contract every shader plug-in implements, the two entry points a
// plug-in library exports, and the process-wide registry of loaded shaders.
#pragma once

#include <cstdint>

#include <linvale/export.h>
#include <linvale/npr_render_settings.h>
#include <linvale/npr_renderer.h>
#include <linvale/scene.h>
#include <tessel/ts_light.h>
#include <tessel/ts_mesh.h>
#include <tessel/ts_viewport.h>
#include <windows.h>

class NprPageDialog;
class NprUiMainDlg;
class NprVectorCanvas;

class LINVALE_API NprShader {
public:
  // Raised inside a shader's Render to abandon drawing and caught again
  // before Render returns; it never leaves Render.
  enum class StopReason : std::int32_t {
    Failed = 0,    // no bitmap or OpenGL context
    Canceled = 1,  // the progress object asked to stop
  };

  // Most shaders the registry holds.
  static constexpr unsigned long MaxShaders = 32;

  // Not virtual: a shader is destroyed only by its own plug-in's
  // NprShaderDelete, which knows the complete type.
  ~NprShader();

  // The preview scene owns its nodes, so a shader cannot be copied.
  NprShader(const NprShader&) = delete;
  NprShader& operator=(const NprShader&) = delete;

  // The nine operations every plug-in implements, in slot order. Texts
  // returned stay owned by the shader and valid while it lives.
  virtual int LoadSettings(const char* styleFile) = 0;
  virtual int SaveSettings(const char* styleFile) = 0;
  virtual const char* GetName(int reserved) = 0;
  virtual const char* GetReserved(int reserved) = 0;
  virtual HBITMAP GetDefaultBitmap() = 0;
  virtual NprPageDialog* GetDialog(unsigned index) = 0;
  virtual const char* GetTag(int reserved) = 0;
  virtual HBITMAP Render(const TS_Viewport& viewport, const NprRenderSettings& settings, Scene* scene,
                         NprRenderer::Progress* progress, HANDLE* fileHandle, HANDLE* mappingHandle) = 0;
  virtual void OnSetMainDlg() = 0;
  // The tenth slot, after the nine above: the style's lines, as Render
  // would draw them for the same viewport and settings, put down on
  // `canvas` as world-space polylines (and, when the canvas wants them, the
  // faces as flat polygons). The scene's edge collections are empty again
  // afterwards. False for a shader without a vector form, which is what a
  // plug-in that does not override it has.
  virtual bool DrawVector(const TS_Viewport& viewport, const NprRenderSettings& settings, Scene* scene,
                          NprVectorCanvas& canvas);

  // Reference counting. Both accept a null object (AddRef gives 0, Release
  // 0xFFFFFFFF), so callers may write GetByTag(tag)->AddRef() and branch on
  // the count. The last Release destroys the shader through its own
  // plug-in and unloads the library.
  unsigned long AddRef();
  unsigned long Release();

  void setMainDlg(NprUiMainDlg* dlg);
  int GetCurDialogIndex();
  void SetCurDialogIndex(int index);

  // A copy of the settings the settings dialog is editing.
  NprRenderSettings getPreviewRenderSettings();
  // The preview picture of the current style; the caller owns it.
  HBITMAP GetBitmap();
  void setDefaultViewport(TS_Viewport& viewport);
  void setDefaultLight(TS_Light& light);
  void setIsPreviewSceneCreated(bool created);

  // Registry. Lookups return borrowed pointers; a caller that keeps a
  // shader beyond the current call takes a reference with AddRef.
  static unsigned long LoadFolder(const char* folder, TS_Light& light, TS_Viewport& viewport, bool preview);
  static int UnLoadAll();
  static unsigned long Shaders();
  static NprShader* Current();
  static NprShader* GetByIndex(unsigned long index);
  static NprShader* GetByName(const char* name);
  static NprShader* GetByTag(const char* tag);
  // Both return the shader that was current before the call.
  static NprShader* SelectByIndex(unsigned long index);
  static NprShader* SelectByTag(const char* tag);

protected:
  // Called by the plug-in's NprShaderCreate with the plug-in's own module.
  explicit NprShader(HINSTANCE module);

  static NprShader* Load(const char* path);

  // A sphere of radius 10 as 40 by 40 quads, a sample object for previews.
  void FillMesh(TS_Mesh& mesh);

  HINSTANCE mModule;
  std::uint32_t mRefCount;
  NprUiMainDlg* mMainDlg;
  std::int32_t mCurDialogIndex;
  Scene mPreviewScene;
  TS_Light mDefaultLight;
  TS_Viewport mDefaultViewport;
  bool mIsPreviewSceneCreated;
  bool mHasPreviewViewport;

  static NprShader* sShader[MaxShaders];
  static std::uint32_t sShaders;
  static std::uint32_t sCurShaderIndex;
};

// Entry points every plug-in library exports under these plain names.
// NprShaderCreate returns a new shader constructed with the plug-in's module
// handle, or null; NprShaderDelete destroys one in the plug-in's own heap
// and ignores null.
extern "C" {
LINVALE_API NprShader* NprShaderCreate(void);
LINVALE_API void NprShaderDelete(NprShader* shader);
}
