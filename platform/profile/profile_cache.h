// Parsed profile files kept between calls. A caller reading many keys one
// call at a time would otherwise read and parse the whole file for each key.
// An entry is used only while the file still has the identity it was read
// with (device, inode, size, modification time in nanoseconds), so a change
// by another process or through another path is seen at the next call; an
// atomic replacement always changes the inode.
#pragma once

#include "profile/profile_document.h"
#include "profile/profile_encoding.h"

#include <win32/base.h>

#include <memory>
#include <string>

namespace linvale::platform {

struct LoadedProfile {
  // ERROR_SUCCESS, ERROR_FILE_NOT_FOUND, or why the file could not be read
  // (the document is empty then).
  DWORD error = ERROR_SUCCESS;
  ProfileEncoding encoding = ProfileEncoding::Utf8;
  ProfileDocument document;
};

// The file's current contents, parsed; from the cache when unchanged.
std::shared_ptr<const LoadedProfile> LoadProfile(const std::string& path);

// Drops the entry of `path`, after this process wrote the file.
void ForgetProfile(const std::string& path);

}  // namespace linvale::platform
