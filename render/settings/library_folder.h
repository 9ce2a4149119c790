// The folder the Linvale library was loaded from.
#pragma once

#include <string>

namespace linvale::settings {

// Without a trailing separator; empty when the loader cannot tell.
std::string LibraryFolder();

}  // namespace linvale::settings
