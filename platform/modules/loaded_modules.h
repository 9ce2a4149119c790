// What the dynamic loader knows about the libraries of the process, in the
// terms module handles need.
#pragma once

#include <win32/base.h>

#include <link.h>

namespace linvale::platform {

// The loader's record of `module` when it names a library loaded right now
// (a module handle is the loader's handle, which glibc makes the record
// itself); null for a stale or made-up handle, so callers fail cleanly
// instead of handing the loader garbage.
link_map* LoadedModuleRecord(HMODULE module);

// The record of the library whose image contains `address`, or null.
link_map* ModuleRecordAt(const void* address);

// The executable's handle.
HMODULE ExecutableModule();

}  // namespace linvale::platform
