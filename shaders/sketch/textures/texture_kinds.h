// The images the Sketch shader ships: grain images for the pencil and
// water-colour face fills (grey, tileable, recoloured per node at render
// time) and paper images multiplied over finished pictures.
#pragma once

#include "bmp_writer.h"

#include <optional>
#include <string>

namespace sketch_textures {

// Pencil hatching: short, slightly wavy strokes in one direction on white,
// broken up by paper tooth. `density` 1 is the sparsest, 3 the densest
// (which adds a crossing direction).
RgbImage MakePencilGrain(int density);

// Water-colour wash: soft blotches with darker pooled edges and fine
// pigment granulation. `depth` 1 is the palest wash, 3 the deepest.
RgbImage MakeWaterColourWash(int depth);

// Cold-pressed paper: an embossed, irregular tooth on a warm white.
RgbImage MakeColdPressPaper();

// Laid paper: fine horizontal laid lines crossed by wide-spaced chain lines.
RgbImage MakeLaidPaper();

// The image named by `kind` ("pl1".."pl3", "wc1".."wc3", "paper-cold-press",
// "paper-laid"), or nothing for an unknown name.
std::optional<RgbImage> MakeTexture(const std::string& kind);

}  // namespace sketch_textures
