// PNG files written for speed. DevIL's PNG encoder compresses hard, which on
// a picture drawn on noisy paper costs more than a second at 1920 x 1080;
// libpng at its fast setting writes the same pixels in a fraction of that,
// in a somewhat larger file.
#pragma once

#include <windows.h>

#include <filesystem>

namespace npr_render {

// Writes `bitmap` as an 8-bit RGB PNG to `path`. 0 when every byte reached
// the file, else the reason as an errno value (ENOMEM, EINVAL for a handle
// that is not a bitmap, or the file system's own); a failure may leave part
// of a file behind.
int WriteFastPng(HBITMAP bitmap, const std::filesystem::path& path);

}  // namespace npr_render
