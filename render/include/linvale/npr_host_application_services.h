// The one object through which the renderer reaches the world outside it:
// styles folders, registry preferences, the parent window of dialogs,
// choosers, image files and diagnostics. A host derives from it, overrides
// what it wants and installs its object with setDefaultHost; everything else
// asks getDefaultHost() each time it needs a service.
#pragma once

#include <linvale/export.h>
#include <windows.h>

class NprRenderSettings;

class LINVALE_API NprHostApplicationServices {
public:
  // The styles folders. Callers that list styles ask for UserStylesFolder,
  // CommonDataFolder and MachineStylesFolder, in that order.
  enum Folder {
    UserDataFolder = 0,       // in the user's application data folder
    UserStylesFolder = 1,     // where the user's new styles are saved
    CommonDataFolder = 2,     // in the all-users application data folder
    MachineStylesFolder = 3,  // named in the machine's registry
  };

  // Makes sure the user's styles data folder exists.
  NprHostApplicationServices();
  // The class has no state: copies copy nothing.
  NprHostApplicationServices(const NprHostApplicationServices&) = default;
  NprHostApplicationServices& operator=(const NprHostApplicationServices&) = default;

  // The virtual operations, in slot order.
  virtual ~NprHostApplicationServices();
  // Diagnostic text, printf-style; the default drops it.
  virtual void Print(const char* format, ...) __attribute__((format(printf, 2, 3)));
  virtual HWND GetMainWindow();
  // 1 and the chosen colour (COLORREF) when the user confirms, else 0 with
  // `color` unchanged.
  virtual int GetColorDialog(HWND parent, unsigned long& color);
  // 1 and the chosen path in `file` (capacity `size`), else 0.
  virtual int GetBitmapFilename(HWND parent, char* file, unsigned long size, int open);
  virtual void FatalError();
  // Writes `bitmap` to `file` in the format its extension names; the caller
  // keeps the bitmap. Reports nothing, as hosts that override it expect; a
  // write that fails leaves no file at `file`. NprSaveImageFile says why.
  virtual void SaveImage(HBITMAP bitmap, const wchar_t* file);
  // The folder's path without a trailing separator in `buffer` (capacity
  // `size`) and 1, or 0 when it cannot be determined or does not fit. The
  // folder is not created.
  virtual int GetStyleFolder(Folder kind, char* buffer, unsigned long size) const;
  // "Custom.npr" in this object's UserDataFolder, or 0.
  virtual int GetDefaultStyleFilePath(char* buffer, unsigned long size) const;
  virtual void OnLoadSettings(NprRenderSettings& settings);
  virtual void OnSaveSettings(NprRenderSettings& settings);
  // Records this build as the most recently run one under both roots.
  virtual void SetMostRecentExecuted();
  // Called with the preview's settings just before a preview is rendered.
  virtual void OnPreviewSettings(NprRenderSettings& settings) = 0;
  // The per-build registry key path into `key` (at least 260 characters).
  virtual bool getPluginRegistryKey(char* key);
  virtual bool getLoadToolbar();

  bool getShowPreview();
  void setShowPreview(bool on);

  static NprHostApplicationServices* getDefaultHost();
  // Installs `host` and returns the host it replaces. The system never
  // deletes a host.
  static NprHostApplicationServices* setDefaultHost(NprHostApplicationServices* host);
  // The library's build date as yyyy-mm-dd; `out` holds at least 11.
  static void CompilationDate(char* out);
  // "Mmm dd yyyy" (as the compiler writes dates) to "yyyy-mm-dd"; `out`
  // holds at least 11.
  static void ReformatDate(const char* in, char* out);

private:
  static NprHostApplicationServices* spDefaultHost;
};
