// Names of the temporary files a replacement writes before renaming them over
// their target, "<target>.tmp-<pid>-<n>", and the removal of those a writer
// left behind when it was killed between creating and renaming one.
#pragma once

#include <string>

namespace linvale::platform {

// A name no other call of this process has used for `target`.
std::string TemporaryNameFor(const std::string& target);

// Removes the temporary files of `target` whose writing process no longer
// exists. Files of live processes (another writer, which holds the target's
// lock, or a process in another PID namespace) are left alone.
void RemoveAbandonedTemporaries(const std::string& target);

}  // namespace linvale::platform
