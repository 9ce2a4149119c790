// The functions the renderer library looks up when it loads this library.
#include <linvale/export.h>
#include <linvale/npr_ui_window.h>

#include <cstring>
#include <type_traits>

#include "color_chooser.h"
#include "gui_application.h"
#include "host/ui_entry_points.h"
#include "image_file_chooser.h"
#include "message_box.h"
#include "settings_dialog.h"

#include <QApplication>

extern "C" {

LINVALE_API int NprUiShowOptions(NprRenderer* renderer, HWND parent, int mode) {
  try {
    if (!linvale::ui::EnsureGuiApplication()) {
      return 0;
    }
    linvale::ui::SettingsDialog dialog(renderer, NprWidgetFromHandle(parent), mode);
    return dialog.exec() == QDialog::Accepted ? IDOK : IDCANCEL;
  } catch (...) {
    return 0;
  }
}

LINVALE_API int NprUiChooseColor(HWND parent, unsigned long* color) {
  try {
    return color != nullptr && linvale::ui::EnsureGuiApplication() && linvale::ui::ChooseColor(parent, *color) ? 1 : 0;
  } catch (...) {
    return 0;
  }
}

LINVALE_API int NprUiChooseImageFile(HWND parent, int open, char* file, unsigned long size, unsigned* row) {
  try {
    if (file == nullptr || row == nullptr || !linvale::ui::EnsureGuiApplication()) {
      return 0;
    }
    const linvale::ui::ChosenImageFile chosen = linvale::ui::ChooseImageFile(parent, open != 0);
    if (chosen.path.empty() || chosen.path.size() >= size) {
      return 0;
    }
    std::memcpy(file, chosen.path.c_str(), chosen.path.size() + 1);
    *row = chosen.row;
    return 1;
  } catch (...) {
    return 0;
  }
}

LINVALE_API int NprUiMessageBox(HWND owner, const char* text, const char* caption, unsigned type) {
  try {
    // Only inside a GUI the host runs: a box must not start an application
    // of its own.
    if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) {
      return 0;
    }
    return linvale::ui::ShowMessageBox(owner, text, caption, type);
  } catch (...) {
    return 0;
  }
}

}  // extern "C"

static_assert(std::is_same_v<decltype(&NprUiShowOptions), NprUiShowOptionsEntry>);
static_assert(std::is_same_v<decltype(&NprUiChooseColor), NprUiChooseColorEntry>);
static_assert(std::is_same_v<decltype(&NprUiChooseImageFile), NprUiChooseImageFileEntry>);
static_assert(std::is_same_v<decltype(&NprUiMessageBox), NprUiMessageBoxEntry>);
