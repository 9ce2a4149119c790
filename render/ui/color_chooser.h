#pragma once

#include <windows.h>

namespace linvale::ui {

// The modal colour chooser owned by `parent`'s window, starting at `color`;
// a confirmed choice replaces `color` and gives true.
bool ChooseColor(HWND parent, unsigned long& color);

}  // namespace linvale::ui
