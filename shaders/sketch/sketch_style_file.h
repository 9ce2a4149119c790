// Reading and writing a Sketch style's own section ("Sketch") of a style
// file. Keys are read and written in one fixed order, the same both ways.
#pragma once

#include "sketch_settings.h"

// The style-file section, which is also the shader's tag.
inline constexpr const char* kSketchSection = "Sketch";

// Reads every key present into `settings`; a missing or empty key leaves its
// member as it was, except the three single-colour components, "textureFill"
// and "textureMode", which are always applied and become 0. A relative "paper" path is taken relative
// to the style file's folder and stored resolved, so a style keeps finding
// its paper after it is saved into another folder. Values are taken as
// written; ClampToPageRanges makes them safe to render with.
void ReadSketchSection(const char* styleFile, SketchSettings& settings);

// Writes every key; integers with "%d", reals with "%f", "paper" as held in
// memory (the resolved path when it was read relative). False when a key
// could not be written.
bool WriteSketchSection(const char* styleFile, const SketchSettings& settings);
