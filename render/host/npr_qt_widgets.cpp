#include <linvale/npr_qt_widgets.h>

#include <dlfcn.h>

bool NprQtWidgetsLoaded() {
  // RTLD_NOLOAD only looks: the handle is a new reference to a library that
  // is already there, and is given back at once.
  void* widgets = dlopen("libQt6Widgets.so.6", RTLD_LAZY | RTLD_NOLOAD);
  if (widgets == nullptr) {
    return false;
  }
  dlclose(widgets);
  return true;
}
