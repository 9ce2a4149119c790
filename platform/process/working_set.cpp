#include <win32/process.h>

#include <cstdint>

namespace {
// The value Windows uses for its current-process pseudo handle.
const HANDLE currentProcess = reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(-1));
}  // namespace

HANDLE GetCurrentProcess() { return currentProcess; }

BOOL SetProcessWorkingSetSize(HANDLE process, SIZE_T minimumSize, SIZE_T maximumSize) {
  if (process != currentProcess) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (minimumSize > maximumSize) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  return TRUE;
}
