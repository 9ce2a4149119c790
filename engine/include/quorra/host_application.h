// What a host implements to drive the engine: its window, diagnostics,
// style notifications and render progress.
#pragma once

#include <quorra/export.h>
#include <quorra/object.h>

#include <windows.h>

namespace Npr {

class QUORRA_API HostApplication : public Object {
public:
  enum FolderType {
    UserDataFolder = 0,
    UserStylesFolder = 1,
    CommonDataFolder = 2,
    MachineStylesFolder = 3,
  };

  // The parent window for the renderer's dialogs and boxes.
  virtual HWND GetHostWindow() = 0;
  // One diagnostic line from the renderer.
  virtual void PrintText(const wchar_t* text) = 0;
  // The settings dialog loaded this style file.
  virtual void OnStyleLoaded(const wchar_t* styleFile) = 0;
  // The user confirmed the settings dialog; the settings are in this file.
  virtual void OnStyleSaved(const wchar_t* styleFile) = 0;
  virtual void OnProgressStart(int steps) = 0;
  virtual void OnProgressStep(int steps) = 0;
  // The render produced its final picture.
  virtual void OnProgressDone() = 0;
  // A render phase begins; `name` is its display text.
  virtual void OnProgressTask(const wchar_t* name) = 0;
  // Records this build as the most recently run one.
  virtual void SetMostRecentExecuted();

  // The folder's path in `buffer` (capacity `size` characters) and 1, or 0
  // when there is none, it does not fit or `kind` is unknown.
  int GetStyleFolder(FolderType kind, wchar_t* buffer, unsigned long size) const;
  // The default style file's path, or 0.
  int GetDefaultStyleFilePath(wchar_t* buffer, unsigned long size) const;

protected:
  HostApplication() = default;
  ~HostApplication() override = default;
};

}  // namespace Npr
