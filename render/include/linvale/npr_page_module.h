// The shaders' property pages are Qt widgets, so each plug-in keeps them in
// a module of its own beside the renderer's libraries and loads it only when
// the settings dialog asks for a page: a render never maps Qt.
#pragma once

#include <linvale/export.h>

#include <windows.h>

// Loads the pages module `libraryName` from the folder above the one that
// holds `pluginModule`. Null when Qt Widgets is not mapped yet (no widget
// application can be running then) or the module cannot be loaded. The
// module is never freed: Qt's process-wide state and the widgets' class
// data must stay while the process runs on, even when the plug-in is
// unloaded and loaded again.
LINVALE_API HMODULE NprLoadPageModule(HINSTANCE pluginModule, const char* libraryName);
