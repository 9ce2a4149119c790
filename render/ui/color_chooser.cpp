#include "color_chooser.h"

#include <linvale/npr_ui_window.h>

#include <QColorDialog>

#include "color_conversion.h"

namespace linvale::ui {

bool ChooseColor(HWND parent, unsigned long& color) {
  // Never the desktop's own dialog: it would not honour the owner the host
  // gave, and tests drive this one.
  QColorDialog dialog(ToQColor(color), NprWidgetFromHandle(parent));
  dialog.setOption(QColorDialog::DontUseNativeDialog);
  dialog.setObjectName("colorChooser");
  if (dialog.exec() != QDialog::Accepted) {
    return false;
  }
  color = ToColorRef(dialog.selectedColor());
  return true;
}

}  // namespace linvale::ui
