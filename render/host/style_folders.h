// Where the host finds the user's application data folder; shared by the
// styles folder rules and the constructor that creates the styles folder.
#pragma once

#include <linvale/npr_host_application_services.h>

#include <string>

namespace linvale::host {

// The user's application data folder, or empty when it cannot be found:
// the shell's folder, else the "AppData" shell-folder value of the
// current user's registry.
std::string UserApplicationDataFolder();

// Creates the user's application data folder when missing, then
// "Brisco/Orvelle SR3/Styles" below it one level at a time, ignoring every
// failure.
void CreateUserStylesDataFolder();

// The folder of `kind` into `buffer` by the base class's rules; 1, or 0 when
// it cannot be determined or does not fit.
int StyleFolder(NprHostApplicationServices::Folder kind, char* buffer, unsigned long size);

}  // namespace linvale::host
