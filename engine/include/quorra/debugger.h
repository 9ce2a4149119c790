// Diagnostic lines and assertion boxes of the facade.
#pragma once

#include <quorra/export.h>

namespace Npr::debugger {

enum warningEvent : int {
  Message = 0,
  Assertion = 1,
  Warning = 2,
};

// Message and Warning write "file(line) module: text" (with " WARNING" after
// the module for Warning) and CR LF to the debug output and return 0.
// Assertion shows the failure in an Abort/Retry/Ignore box captioned
// "Debug Assertion failed": Retry breaks into an attached debugger and
// returns 1, Ignore returns 0, Abort ends the process with status 1. Any
// other kind returns -1. Null texts count as empty.
QUORRA_API int log(warningEvent kind, const wchar_t* file, unsigned line, const wchar_t* module, const wchar_t* text);

// The debug output: a line for whoever watches the process. Here it goes to
// standard error when QUORRA_DEBUG_OUTPUT is set to a non-empty value, and
// nowhere otherwise.
QUORRA_API void outputDebugString(const wchar_t* text);

}  // namespace Npr::debugger
