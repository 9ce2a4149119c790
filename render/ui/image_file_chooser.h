#pragma once

#include <QStringList>

#include <string>

#include <windows.h>

namespace linvale::ui {

// The image file filters in Qt's "description (patterns)" form, row order.
QStringList ImageNameFilters();

struct ChosenImageFile {
  std::string path;  // empty when the user cancelled
  unsigned row = 1;  // the filter row selected, from 1
};

// The modal open (or save) dialog for an image file, starting with no name.
ChosenImageFile ChooseImageFile(HWND parent, bool open);

}  // namespace linvale::ui
