// The user-interface library, found beside the renderer library and loaded
// on first use.
#pragma once

#include <windows.h>

#include <win32/module.h>

namespace linvale::host {

// The library's file name beside liblinvale.so.
inline constexpr char kUiLibraryName[] = "liblinvale-ui.so";

// The exported function `name` of the user-interface library, loading the
// library first when needed; null when it cannot be loaded or lacks `name`.
FARPROC UiEntryPoint(const char* name);

template <typename Entry>
Entry UiEntry(const char* name) {
  return reinterpret_cast<Entry>(UiEntryPoint(name));
}

}  // namespace linvale::host
