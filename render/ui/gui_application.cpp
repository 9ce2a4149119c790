#include "gui_application.h"

#include <QApplication>

#include <cstdlib>
#include <cstring>
#include <memory>

namespace linvale::ui {

namespace {

bool HasVariable(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0';
}

// Qt ends the process when its platform finds no display, so that is
// checked first: a platform named outright (offscreen, minimal, ...) needs
// none, X11 and Wayland need theirs.
bool DisplayAvailable() {
  if (const char* platform = std::getenv("QT_QPA_PLATFORM"); platform != nullptr && *platform != '\0') {
    if (std::strncmp(platform, "xcb", 3) == 0) {
      return HasVariable("DISPLAY");
    }
    if (std::strncmp(platform, "wayland", 7) == 0) {
      return HasVariable("WAYLAND_DISPLAY");
    }
    return true;
  }
  return HasVariable("DISPLAY") || HasVariable("WAYLAND_DISPLAY");
}

}  // namespace

bool EnsureGuiApplication() {
  if (QCoreApplication::instance() != nullptr) {
    return qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr;
  }
  if (!DisplayAvailable()) {
    return false;
  }
  // Qt keeps references to argc and argv for the application's life, which
  // here is the process's.
  static int argc = 1;
  static char name[] = "linvale";
  static char* argv[] = {name, nullptr};
  static const std::unique_ptr<QApplication> application = std::make_unique<QApplication>(argc, argv);
  return true;
}

}  // namespace linvale::ui
