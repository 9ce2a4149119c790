// Where each registry root is kept and how its file is read and changed.
#pragma once

#include "registry/registry_store.h"

#include <win32/base.h>

#include <functional>
#include <optional>
#include <string>

namespace linvale::platform {

enum class RegistryRoot { CurrentUser, LocalMachine };

// LINVALE_REGISTRY_USER / LINVALE_REGISTRY_MACHINE when set, else
// "linvale/user.reg" in the XDG config home and "linvale/machine.reg" in the
// first XDG config dir. nullopt when the user's home is unknown.
std::optional<std::string> RegistryFilePath(RegistryRoot root);

// The root's keys; a missing or unparsable file reads as an empty root.
RegistryStore ReadRegistry(RegistryRoot root);

// Whether this process may change the root's file (or create it).
bool CanWriteRegistry(RegistryRoot root);

// Runs `change` on the root's current contents under an exclusive lock and
// writes the result atomically when `change` reports a modification. A file
// that cannot be parsed is left alone: ERROR_BADDB. `change` returns the
// call's error code and sets `modified`.
using RegistryChange = std::function<LONG(RegistryStore& store, bool& modified)>;
LONG UpdateRegistry(RegistryRoot root, const RegistryChange& change);

}  // namespace linvale::platform
