// Writing the picture. It is written beside the target under a hidden
// temporary name and then moved over it, so a failed or stopped write never
// destroys an older file of the same name. A target that is a symbolic link
// is followed: the file it names gets the picture and the link stays.
#pragma once

#include <functional>
#include <string>

#include <windows.h>

namespace npr_render {

// Before rendering: the name has an extension, its folder exists and is
// writable, an existing file there is one the user may write (as access(2)
// judges it, so root may replace a read-only file as cp would), and a tiny
// picture in that format can be written there. Returns an error text, empty
// when all is well.
std::string CheckImageOutput(const std::string& path);

// Returns an error text, empty when the picture is in place. A stop signal
// (stop_signals.h) that came before the picture was moved into place throws
// it away and makes the result non-empty.
std::string WriteImage(HBITMAP bitmap, const std::string& path);

// The same for any writer: `save` writes the whole file at the path it is
// given and returns why it could not, empty when it could.
std::string WriteReplacing(const std::string& path, const std::function<std::string(const std::string&)>& save);

}  // namespace npr_render
