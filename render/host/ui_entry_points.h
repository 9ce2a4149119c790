// The functions of the user-interface library that the renderer library
// calls. The renderer loads that library by name only when one of them is
// needed, so a headless render never loads Qt; both libraries include this
// header so that a change of signature breaks the build, not a dialog.
#pragma once

#include <windows.h>

class NprRenderer;

extern "C" {
// The settings dialog, modal: 1 for OK, 2 for Cancel, 0 when it could not
// be shown (no display).
using NprUiShowOptionsEntry = int (*)(NprRenderer* renderer, HWND parent, int mode);
// The colour chooser: 1 and `color` changed when confirmed, else 0.
using NprUiChooseColorEntry = int (*)(HWND parent, unsigned long* color);
// The image file chooser: 1, the path in `file` (capacity `size`) and the
// selected filter row (from 1) in `row`, else 0.
using NprUiChooseImageFileEntry = int (*)(HWND parent, int open, char* file, unsigned long size, unsigned* row);
// A message box in the application's windows: the pressed button's IDOK
// and so on, or 0 when no GUI application runs and the box was not shown.
using NprUiMessageBoxEntry = int (*)(HWND owner, const char* text, const char* caption, unsigned type);
}

namespace linvale::host {

inline constexpr char kUiShowOptions[] = "NprUiShowOptions";
inline constexpr char kUiChooseColor[] = "NprUiChooseColor";
inline constexpr char kUiChooseImageFile[] = "NprUiChooseImageFile";
inline constexpr char kUiMessageBox[] = "NprUiMessageBox";

}  // namespace linvale::host
