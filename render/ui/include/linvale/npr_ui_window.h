// Window handles as hosts and plug-ins pass them (HWND) and the Qt widgets
// they stand for. A handle is the native window id of a top-level widget.
#pragma once

#include <linvale/export.h>
#include <windows.h>

class QWidget;

// The handle of `widget`'s window; null for null.
LINVALE_API HWND NprWindowHandle(QWidget* widget);

// The widget whose window has `handle`, looked up among the application's
// widgets; null when none has it.
LINVALE_API QWidget* NprWidgetFromHandle(HWND handle);
