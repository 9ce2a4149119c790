#pragma once

#include <windows.h>

namespace linvale::ui {

// A Qt message box for a MessageBoxA call: the button pressed as IDOK,
// IDCANCEL and so on. Owned by `owner`'s widget or else the host's main
// window.
int ShowMessageBox(HWND owner, const char* text, const char* caption, unsigned type);

}  // namespace linvale::ui
