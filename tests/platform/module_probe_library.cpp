// A library for the loader tests: one export of its own, and a dependency
// (the platform library) whose exports must not be mistaken for its own.
#include <windows.h>

extern "C" __attribute__((visibility("default"))) int ModuleProbeAnswer() {
  SetLastError(ERROR_SUCCESS);
  return 42;
}
