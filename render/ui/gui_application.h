// The Qt application the dialogs run in: the host's when it has one, else
// one made here on first need.
#pragma once

namespace linvale::ui {

// True when widgets can be shown: a QApplication exists or was just made.
// False when there is no display to show them on (or the host runs a Qt
// application without widgets), in which case nothing was made.
bool EnsureGuiApplication();

}  // namespace linvale::ui
