// Serialises read-change-write cycles on one file across threads and
// processes. The file itself cannot carry the lock because every write
// replaces it with a new file, so the lock lives on "<file>.lock" beside it,
// which is created on first use and left in place: removing it would let a
// second writer lock a new file while the first still holds the old one.
#pragma once

#include <string>

namespace linvale::platform {

class ExclusiveFileLock {
public:
  // Blocks until the lock on `path`'s lock file is held, or fails to open it.
  explicit ExclusiveFileLock(const std::string& path);
  ExclusiveFileLock(const ExclusiveFileLock&) = delete;
  ExclusiveFileLock& operator=(const ExclusiveFileLock&) = delete;
  ~ExclusiveFileLock();

  bool Held() const { return mFd >= 0; }
  // The errno of the failed open when not held.
  int Error() const { return mError; }

private:
  int mFd;
  int mError;
};

}  // namespace linvale::platform
