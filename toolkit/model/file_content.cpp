#include "file_content.h"

#include <fcntl.h>
#include <sys/stat.h>

#include "unique_fd.h"

namespace tessel::detail {

bool FileContent::Open(const char* path) {
  const UniqueFd file(open(path, O_RDONLY | O_CLOEXEC));
  struct stat status {};
  return file.IsOpen() && fstat(file.Get(), &status) == 0 && S_ISREG(status.st_mode) &&
         mMapping.Map(file.Get(), static_cast<std::size_t>(status.st_size));
}

}  // namespace tessel::detail
