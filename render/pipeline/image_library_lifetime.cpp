// DevIL keeps process-wide state that every image load and save of the
// library relies on, so it lives exactly as long as the library is loaded.
#include <IL/il.h>
#include <IL/ilu.h>

namespace {

__attribute__((constructor)) void StartImageLibrary() {
  ilInit();
  iluInit();
}

__attribute__((destructor)) void StopImageLibrary() { ilShutDown(); }

}  // namespace
