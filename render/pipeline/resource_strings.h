// The renderer library's user-visible texts, looked up by resource number
// so that a translation replaces the table and nothing else.
#pragma once

namespace linvale {

enum class ResourceString : unsigned {
  UnableToSelectShader = 3,
  AntialiasingFilter = 4,
  AllFiles = 5,
  GifFiles = 6,
  LifFiles = 8,
  AllImageFiles = 9,
  JpegFiles = 10,
  BmpFiles = 11,
  DdsFiles = 12,
  AnyMapFiles = 15,
  PngFiles = 16,
  SgiFiles = 17,
  TargaFiles = 18,
  TiffFiles = 19,
  PcxFiles = 21,
};

// The text of `id`; never null (an unknown number gives an empty text).
const char* LoadResourceString(ResourceString id);

}  // namespace linvale
