// The renderer library's user-visible texts, looked up by resource number
// so that a translation replaces the table and nothing else.
#pragma once

namespace linvale {

enum class ResourceString : unsigned {
  UnableToSelectShader = 3,
  AntialiasingFilter = 4,
};

// The text of `id`; never null (an unknown number gives an empty text).
const char* LoadResourceString(ResourceString id);

}  // namespace linvale
