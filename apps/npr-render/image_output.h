// Writing the picture through the host's SaveImage, which reports nothing:
// whether a file came out is checked here. The picture is written beside the
// target under a temporary name and then moved over it, so a failed write
// never destroys an older file of the same name.
#pragma once

#include <string>

#include <linvale/npr_host_application_services.h>

namespace npr_render {

// Before rendering: the name has an extension, its folder exists and is
// writable, and a tiny picture in that format can be written there. Returns
// an error text, empty when all is well.
std::string CheckImageOutput(NprHostApplicationServices& host, const std::string& path);

// Returns an error text, empty when the file was written.
std::string WriteImage(NprHostApplicationServices& host, HBITMAP bitmap, const std::string& path);

}  // namespace npr_render
