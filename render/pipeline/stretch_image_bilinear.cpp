// The reduction that ends an antialiased render.
#include <linvale/dib_pixels.h>
#include <linvale/npr_win32_owners.h>

#include "bilinear_resampling.h"
#include "dib_reading.h"
#include "halving_reduction.h"
#include "image_resampling.h"
#include "mapped_section.h"

#include <cstdint>
#include <utility>

namespace linvale::pipeline {

namespace {

// The source's pixels resampled to `size`; empty, with the error code set,
// when they cannot be read or there is no memory for the passes.
PixelBuffer Resampled(HDC hdc, HBITMAP source, const BITMAP& sourceInfo, SIZE size) {
  PixelBuffer sourcePixels = ReadDib32(hdc, source, sourceInfo.bmWidth, sourceInfo.bmHeight);
  if (!sourcePixels) {
    return {};
  }
  return ResampleBilinear(std::move(sourcePixels), sourceInfo.bmWidth, sourceInfo.bmHeight, size.cx, size.cy);
}

// The pixels of a bottom-up 32-bit section, which the exact halving reads
// in place; null for any other bitmap, whose pixels are read through GDI.
const std::uint8_t* BottomUpPixels32(HBITMAP bitmap) {
  DIBSECTION section{};
  if (GetObject(bitmap, sizeof section, &section) != sizeof section || section.dsBm.bmBitsPixel != 32 ||
      section.dsBmih.biHeight <= 0 || section.dsBmih.biCompression != BI_RGB) {
    return nullptr;
  }
  return static_cast<const std::uint8_t*>(section.dsBm.bmBits);
}

bool IsExactHalving(const BITMAP& source, SIZE size) {
  return size.cx > 0 && size.cy > 0 && source.bmWidth == 2 * size.cx && source.bmHeight == 2 * size.cy;
}

// The reduction straight into the output section's pixels; false when it
// cannot go that way.
bool HalveInPlace(HBITMAP source, const BITMAP& sourceInfo, HBITMAP output, SIZE size) {
  const std::uint8_t* sourcePixels = BottomUpPixels32(source);
  auto* outputPixels = const_cast<std::uint8_t*>(BottomUpPixels32(output));
  if (!IsExactHalving(sourceInfo, size) || sourcePixels == nullptr || outputPixels == nullptr) {
    return false;
  }
  HalvePixels(sourcePixels, size.cx, size.cy, outputPixels);
  return true;
}

void HandOverMapping(NprUniqueHandle mapping, HANDLE* fileSlot, HANDLE* mappingSlot) {
  NprCloseHandleSlot(fileSlot);
  NprCloseHandleSlot(mappingSlot);
  if (mappingSlot != nullptr) {
    *mappingSlot = mapping.release();
  }
}

}  // namespace

HBITMAP StretchImageBilinear(HDC hdc, HBITMAP source, SIZE size, HANDLE* fileSlot, HANDLE* mappingSlot) {
  BITMAP sourceInfo{};
  if (GetObject(source, sizeof sourceInfo, &sourceInfo) == 0) {
    return nullptr;
  }
  NprUniqueGdiObject<HBITMAP> consumedSource(source);
  MappedSection output = CreateMappedSection(hdc, size, 32);
  if (output.section && HalveInPlace(source, sourceInfo, output.section.get(), size)) {
    consumedSource.reset();
    HandOverMapping(std::move(output.mapping), fileSlot, mappingSlot);
    return output.section.release();
  }
  const PixelBuffer resampled = output.section ? Resampled(hdc, source, sourceInfo, size) : PixelBuffer{};
  if (!resampled) {
    // What the reduction made goes first, then the source.
    const NprLastErrorScope failure;
    output.section.reset();
    output.mapping.reset();
    consumedSource.reset();
    return nullptr;
  }
  consumedSource.reset();
  const BITMAPINFO outputHeader = NprDibHeader(size.cx, size.cy, 32);
  SetDIBits(hdc, output.section.get(), 0, static_cast<UINT>(size.cy), resampled.Data(), &outputHeader, DIB_RGB_COLORS);

  HandOverMapping(std::move(output.mapping), fileSlot, mappingSlot);
  return output.section.release();
}

}  // namespace linvale::pipeline
