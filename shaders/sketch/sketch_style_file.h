// Reading and writing a Sketch style's own section ("Sketch") of a style
// file. Keys are read and written in one fixed order, the same both ways.
#pragma once

#include "sketch_settings.h"

#include <string>

namespace linvale::sketch {

// The style-file section, which is also the shader's tag.
inline constexpr const char* kSketchSection = "Sketch";

// Reads every key present into `settings`; a missing or empty key leaves its
// member as it was, except the three single-colour components, "textureFill"
// and "textureMode", which are always applied and become 0, and "paper",
// whose empty value means no paper (a style loaded after one with a paper
// must not save that paper as its own). Values, "paper" included, are kept as
// written, so that a save writes back what the style's author wrote;
// ClampToPageRanges makes a copy safe to render with.
void ReadSketchSection(const char* styleFile, SketchSettings& settings);

// Writes every key; integers with "%d", reals with "%f", "paper" as its text.
// False when a key could not be written.
bool WriteSketchSection(const char* styleFile, const SketchSettings& settings);

// The file a "paper" value names: a relative path is relative to the folder
// of the style file it was read from, so styles that travel with their paper
// images keep finding them wherever the folder goes.
std::string ResolvePaperPath(const char* paper, const char* styleFile);

}  // namespace linvale::sketch
