#include "bmp_writer.h"

#include <cstdio>
#include <memory>

namespace sketch_textures {

namespace {

void PutLittleEndian(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) {
    out.push_back(static_cast<std::uint8_t>((value >> (8 * i)) & 0xFFU));
  }
}

std::vector<std::uint8_t> EncodeBmp24(const RgbImage& image) {
  const std::uint32_t rowBytes = (static_cast<std::uint32_t>(image.width) * 3U + 3U) & ~3U;
  const std::uint32_t pixelBytes = rowBytes * static_cast<std::uint32_t>(image.height);
  const std::uint32_t headerBytes = 14U + 40U;
  std::vector<std::uint8_t> out;
  out.reserve(headerBytes + pixelBytes);
  out.push_back('B');
  out.push_back('M');
  PutLittleEndian(out, headerBytes + pixelBytes, 4);
  PutLittleEndian(out, 0, 4);
  PutLittleEndian(out, headerBytes, 4);
  PutLittleEndian(out, 40, 4);
  PutLittleEndian(out, static_cast<std::uint32_t>(image.width), 4);
  PutLittleEndian(out, static_cast<std::uint32_t>(image.height), 4);  // positive: bottom-up
  PutLittleEndian(out, 1, 2);
  PutLittleEndian(out, 24, 2);
  PutLittleEndian(out, 0, 4);  // BI_RGB
  PutLittleEndian(out, pixelBytes, 4);
  PutLittleEndian(out, 2835, 4);  // 72 dpi in pixels per metre
  PutLittleEndian(out, 2835, 4);
  PutLittleEndian(out, 0, 4);
  PutLittleEndian(out, 0, 4);
  for (int y = image.height - 1; y >= 0; --y) {
    const std::size_t rowStart = static_cast<std::size_t>(y) * static_cast<std::size_t>(image.width) * 3U;
    for (int x = 0; x < image.width; ++x) {
      const std::size_t i = rowStart + static_cast<std::size_t>(x) * 3U;
      out.push_back(image.pixels[i + 2]);  // BMP stores blue, green, red
      out.push_back(image.pixels[i + 1]);
      out.push_back(image.pixels[i]);
    }
    for (std::uint32_t pad = static_cast<std::uint32_t>(image.width) * 3U; pad < rowBytes; ++pad) {
      out.push_back(0);
    }
  }
  return out;
}

}  // namespace

bool WriteBmp24(const std::string& path, const RgbImage& image) {
  if (image.width <= 0 || image.height <= 0 ||
      image.pixels.size() != static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height) * 3U) {
    return false;
  }
  const std::vector<std::uint8_t> bytes = EncodeBmp24(image);
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "wb"), &std::fclose);
  if (!file) {
    return false;
  }
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size();
  return std::fclose(file.release()) == 0 && written;
}

}  // namespace sketch_textures
