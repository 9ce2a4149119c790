// The table of open registry keys behind HKEY handles.
#pragma once

#include "registry/registry_file.h"

#include <win32/registry.h>

#include <optional>
#include <string>

namespace linvale::platform {

struct OpenKey {
  RegistryRoot root = RegistryRoot::CurrentUser;
  std::string path;  // normalized, relative to the root
  REGSAM access = 0;
};

// The predefined roots resolve without being opened; closed or unknown
// handles give nullopt.
std::optional<OpenKey> LookUpKey(HKEY key);
HKEY RegisterKey(OpenKey key);
bool UnregisterKey(HKEY key);

}  // namespace linvale::platform
