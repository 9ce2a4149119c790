// COLORREF values (red in the low byte) and Qt colours.
#pragma once

#include <QColor>

#include <windows.h>

namespace linvale::ui {

inline QColor ToQColor(unsigned long color) { return QColor(GetRValue(color), GetGValue(color), GetBValue(color)); }

inline unsigned long ToColorRef(const QColor& color) { return RGB(color.red(), color.green(), color.blue()); }

}  // namespace linvale::ui
