// A whole model file mapped read-only, for the readers that parse it in
// place instead of copying it into a buffer first.
#pragma once

#include <span>

#include "read_only_mapping.h"

namespace tessel::detail {

class FileContent {
public:
  // False when the file cannot be opened, measured or mapped.
  bool Open(const char* path);
  std::span<const char> Bytes() const { return mMapping.Bytes(); }

private:
  ReadOnlyMapping mMapping;
};

}  // namespace tessel::detail
