#include "image_file_chooser.h"

#include <linvale/npr_chooser_title.h>
#include <linvale/npr_ui_window.h>

#include <QFileDialog>

#include "host/image_file_filters.h"

namespace linvale::ui {

QStringList ImageNameFilters() {
  QStringList filters;
  for (const host::ImageFileFilter& row : host::ImageFileFilters()) {
    // Qt reads the patterns from the last parentheses and separates them by
    // blanks; some descriptions have parentheses of their own before them.
    const QString patterns = QString::fromUtf8(row.patterns).replace(';', ' ');
    filters << QString::fromUtf8(row.description) + " (" + patterns + ")";
  }
  return filters;
}

ChosenImageFile ChooseImageFile(HWND parent, bool open) {
  QFileDialog dialog(NprWidgetFromHandle(parent));
  dialog.setObjectName("imageFileChooser");
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  if (const char* title = NprChooserTitle::Current(); title != nullptr) {
    dialog.setWindowTitle(QString::fromUtf8(title));
  }
  dialog.setAcceptMode(open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
  dialog.setFileMode(open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
  const QStringList filters = ImageNameFilters();
  dialog.setNameFilters(filters);
  dialog.selectNameFilter(filters.front());
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
    return {};
  }
  ChosenImageFile chosen;
  chosen.path = dialog.selectedFiles().front().toStdString();
  chosen.row = static_cast<unsigned>(filters.indexOf(dialog.selectedNameFilter()) + 1);
  return chosen;
}

}  // namespace linvale::ui
