// The plug-in library's own module: its handle and the folder it lies in,
// where its fill images are.
#pragma once

#include <windows.h>

#include <string>

// The module handle of this plug-in library (no reference taken).
HMODULE SketchModule();

// The folder of the plug-in library file, with a trailing separator; empty
// when the file name cannot be found.
std::string SketchModuleFolder();
