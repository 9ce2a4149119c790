// Loading libraries at run time and finding out which file a module is.
// Plug-ins are shared objects ("*.so"); a module handle is the loader's
// handle of one.
#pragma once

#include <win32/base.h>

// An exported symbol as GetProcAddress hands it out. It is the one function
// type GCC lets callers cast to their entry point's real type without a
// warning.
using FARPROC = void (*)();

#define GET_MODULE_HANDLE_EX_FLAG_PIN 0x00000001
#define GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT 0x00000002
#define GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS 0x00000004

// Loads the library at `path` with every symbol bound at once and kept out
// of the global scope. Null on failure: ERROR_MOD_NOT_FOUND when the file
// is missing, ERROR_BAD_FORMAT when it is no loadable library.
HMODULE LoadLibraryA(LPCSTR path);

// Drops one reference; the library is unloaded when the last goes.
BOOL FreeLibrary(HMODULE module);

// An export defined by the module itself (not by a library it depends on),
// or null with ERROR_PROC_NOT_FOUND.
FARPROC GetProcAddress(HMODULE module, LPCSTR name);

// Full path of the module's file; a null module is the executable. Returns
// the length copied; a buffer that is too small receives as much as fits,
// terminated, and the result is `size` with ERROR_INSUFFICIENT_BUFFER.
DWORD GetModuleFileNameA(HMODULE module, LPSTR fileName, DWORD size);

// With GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, `name` is an address inside
// the module wanted (this is how a library finds its own file). Unless
// GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT is given, the module gains a
// reference that the caller drops with FreeLibrary. Without FROM_ADDRESS,
// `name` is the file name of a library already loaded, or null for the
// executable.
BOOL GetModuleHandleExA(DWORD flags, LPCSTR name, HMODULE* module);
