#include "resource_strings.h"

#include <array>
#include <utility>

namespace linvale {

namespace {

constexpr std::array<std::pair<ResourceString, const char*>, 2> table{{
    {ResourceString::UnableToSelectShader, "Unable to select the shader."},
    {ResourceString::AntialiasingFilter, "Antialiasing Filter"},
}};

}  // namespace

const char* LoadResourceString(ResourceString id) {
  for (const auto& [key, text] : table) {
    if (key == id) {
      return text;
    }
  }
  return "";
}

}  // namespace linvale
