#include <linvale/npr_regular_file.h>

#include <sys/stat.h>

bool NprIsRegularFile(const char* path) {
  struct stat status {};
  return path != nullptr && stat(path, &status) == 0 && S_ISREG(status.st_mode);
}
