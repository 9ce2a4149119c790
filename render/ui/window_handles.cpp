#include <linvale/npr_ui_window.h>

#include <QApplication>
#include <QWidget>

HWND NprWindowHandle(QWidget* widget) {
  if (widget == nullptr) {
    return nullptr;
  }
  // The top-level window stands for its children, as an owner does.
  return reinterpret_cast<HWND>(widget->window()->winId());
}

QWidget* NprWidgetFromHandle(HWND handle) {
  if (handle == nullptr || QApplication::instance() == nullptr) {
    return nullptr;
  }
  const auto id = reinterpret_cast<WId>(handle);
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (widget->internalWinId() == id) {
      return widget;
    }
  }
  return nullptr;
}
