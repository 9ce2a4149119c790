// The "Cartoon" section of a style file.
#pragma once

#include "cartoon_settings.h"

namespace linvale::cartoon {

// The section, which is also the shader's tag.
inline constexpr const char* kCartoonSection = "Cartoon";

// Reads every key of the section into `settings` and brings the values into
// the ranges the property pages keep. Each colour is set from its three
// components together, a missing component reading as 0; any other missing
// key leaves its member as it was.
void ReadCartoonSettings(const char* styleFile, CartoonSettings& settings);

// Writes every key of the section; false when any key could not be written.
bool WriteCartoonSettings(const char* styleFile, const CartoonSettings& settings);

}  // namespace linvale::cartoon
