// The reduction every best-antialiased render ends with: exactly half the
// size in each direction. The triangle filter's weights are then 1/4, 1/2,
// 1/4 everywhere but at the first column and the first row, so the filter
// can run in integers, in one pass over the source, on every core, from the
// source's pixels straight into the output's, with the same bytes as the
// general two-pass filter.
#pragma once

#include <windows.h>

#include <cstdint>

namespace linvale::pipeline {

// Halves `source` (bottom-up rows of blue, green, red and a fourth byte,
// `width` * 2 by `height` * 2 pixels) into `output` (`width` by `height`,
// the fourth byte 0), exactly as ResampleBilinear would.
void HalvePixels(const std::uint8_t* source, LONG width, LONG height, std::uint8_t* output);

}  // namespace linvale::pipeline
