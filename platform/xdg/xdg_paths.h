// The XDG base and user directories that stand in for the Windows known
// folders and the registry's home. Environment variables are read on every
// call, so a change (a test's temporary home) takes effect at once.
#pragma once

#include <optional>
#include <string>

namespace linvale::platform {

std::optional<std::string> HomeFolder();
std::optional<std::string> ConfigHome();  // XDG_CONFIG_HOME, else ~/.config
std::string FirstConfigDir();             // first of XDG_CONFIG_DIRS, else /etc/xdg
std::optional<std::string> DataHome();    // XDG_DATA_HOME, else ~/.local/share
std::string FirstDataDir();               // first of XDG_DATA_DIRS, else /usr/local/share
// XDG_DOCUMENTS_DIR of user-dirs.dirs in the config home, else ~/Documents.
std::optional<std::string> DocumentsFolder();

}  // namespace linvale::platform
