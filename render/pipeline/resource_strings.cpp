#include "resource_strings.h"

#include <linvale/npr_string_table.h>

namespace linvale {

namespace {

constexpr NprStringTable<ResourceString, 2> table{{
    {ResourceString::UnableToSelectShader, "Unable to select the shader."},
    {ResourceString::AntialiasingFilter, "Antialiasing Filter"},
}};

}  // namespace

const char* LoadResourceString(ResourceString id) { return NprLookUpString(table, id); }

}  // namespace linvale
