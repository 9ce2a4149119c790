// Writes 24-bit uncompressed BMP files, the format every image reader
// understands, without depending on an image library at build time.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace sketch_textures {

struct RgbImage {
  int width = 0;
  int height = 0;
  // Rows top to bottom, three bytes (red, green, blue) per pixel.
  std::vector<std::uint8_t> pixels;
};

// Returns false when the file cannot be written completely.
bool WriteBmp24(const std::string& path, const RgbImage& image);

}  // namespace sketch_textures
