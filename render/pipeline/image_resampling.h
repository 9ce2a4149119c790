// The renderer's image operations: the reduction that finishes a
// supersampled render, and three alternatives the render pass does not use.
#pragma once

#include <windows.h>

namespace linvale::pipeline {

// Resamples `source` to `size` with a triangle filter (a reduction by 2
// averages each output pixel over 3 x 3 source pixels) into a new 32-bit
// bottom-up section whose pixels live in a new unnamed file mapping. The
// handles in the two slots are closed, the file slot is cleared and the
// new mapping's handle goes to the mapping slot (a null slot: the handle is
// closed, the section keeps its own view). `source` is deleted whether the
// reduction succeeds or not: a caller that gets null has no picture left
// to hand out, and must not be left with one to leak. Null on failure.
HBITMAP StretchImageBilinear(HDC hdc, HBITMAP source, SIZE size, HANDLE* fileSlot, HANDLE* mappingSlot);

// Stretches `source` with GDI's area-averaging mode into a new bitmap
// compatible with `hdc` and deletes `source`. Returns `source` itself when
// it already has `size`; null when `hdc` is null or a step fails, `source`
// then staying the caller's.
HBITMAP StretchImageGDI(HDC hdc, HBITMAP source, SIZE size);

// Blurs `source` slightly, scales it with DevIL's bilinear filter into a
// new 24-bit bottom-up section and deletes `source`. Returns `source`
// itself when its width or its height already is the requested one; null
// when a step fails, `source` then staying the caller's.
HBITMAP StretchImageDevIL(HDC hdc, HBITMAP source, SIZE size);

// Smooths the colours of `bitmap` in place with the 3 x 3 kernel
// 1 2 1 / 2 4 2 / 1 2 1 (divided by 16), in memory order so that each pixel
// sees its already smoothed predecessors; a colour byte is only changed
// when the smoothed value differs from it by more than `threshold`.
void BlurImage(HDC hdc, HBITMAP bitmap, unsigned char threshold);

}  // namespace linvale::pipeline
