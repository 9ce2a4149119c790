// Block transfers between the bitmaps of two memory contexts.
#include "gdi/gdi_objects.h"
#include "gdi/pixel_rows.h"
#include "gdi/stretch_sampling.h"

#include <win32/gdi.h>

#include <algorithm>
#include <utility>

namespace {

using linvale::platform::Bitmap;
using linvale::platform::ConvertRow;
using linvale::platform::GdiObjects;
using linvale::platform::PixelBlock;

std::size_t ByteOffset(LONG x, const Bitmap& bitmap) { return static_cast<std::size_t>(x) * bitmap.bitsPerPixel / 8; }

// The bitmap a blit reads or writes; sets the error code when `hdc` is no
// memory context.
std::shared_ptr<Bitmap> SurfaceOf(GdiObjects& objects, HDC hdc) {
  const auto context = objects.Contexts().FindOrFail(hdc);
  if (!context) {
    return nullptr;
  }
  if (!context->isMemory) {
    // The screen has no pixels to read or write.
    SetLastError(ERROR_NOT_SUPPORTED);
    return nullptr;
  }
  return objects.Bitmaps().Find(context->selected);
}

// Coordinates are from the top left, as in every GDI call.
PixelBlock ReadBlock(const Bitmap& bitmap, LONG x, LONG y, LONG width, LONG height) {
  PixelBlock block(width, height);
  for (LONG k = 0; k < height; ++k) {
    ConvertRow(bitmap.Row(bitmap.height - 1 - (y + k)) + ByteOffset(x, bitmap), bitmap.bitsPerPixel,
               reinterpret_cast<std::byte*>(block.Pixel(0, k)), 32, width);
  }
  return block;
}

// Writes the part of `block` placed at (x, y) that falls inside the bitmap.
void WriteBlock(Bitmap& bitmap, const PixelBlock& block, LONG x, LONG y) {
  const LONG left = std::max<LONG>(x, 0);
  const LONG right = std::min<LONG>(x + block.width, bitmap.width);
  const LONG top = std::max<LONG>(y, 0);
  const LONG bottom = std::min<LONG>(y + block.height, bitmap.height);
  bitmap.MarkWritten();
  for (LONG row = top; row < bottom && left < right; ++row) {
    ConvertRow(reinterpret_cast<const std::byte*>(block.Pixel(left - x, row - y)), 32,
               bitmap.Row(bitmap.height - 1 - row) + ByteOffset(left, bitmap), bitmap.bitsPerPixel, right - left);
  }
}

}  // namespace

BOOL BitBlt(HDC target, int x, int y, int width, int height, HDC source, int sourceX, int sourceY, DWORD rop) {
  auto& objects = GdiObjects::Instance();
  const auto lock = objects.Lock();
  const auto to = SurfaceOf(objects, target);
  const auto from = SurfaceOf(objects, source);
  if (!to || !from) {
    return FALSE;
  }
  if (rop != SRCCOPY || width < 0 || height < 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  // Clip the target rectangle to both bitmaps; the source is offset by a
  // fixed amount from it.
  const LONG offsetX = sourceX - x;
  const LONG offsetY = sourceY - y;
  const LONG left = std::max({x, 0, -offsetX});
  const LONG top = std::max({y, 0, -offsetY});
  const LONG right = std::min({x + width, to->width, from->width - offsetX});
  const LONG bottom = std::min({y + height, to->height, from->height - offsetY});
  if (left < right && top < bottom) {
    // Reading the whole block first makes overlapping copies within one
    // bitmap come out right.
    WriteBlock(*to, ReadBlock(*from, left + offsetX, top + offsetY, right - left, bottom - top), left, top);
  }
  return TRUE;
}

BOOL StretchBlt(HDC target, int x, int y, int width, int height, HDC source, int sourceX, int sourceY, int sourceWidth,
                int sourceHeight, DWORD rop) {
  auto& objects = GdiObjects::Instance();
  const auto lock = objects.Lock();
  const auto to = SurfaceOf(objects, target);
  const auto from = SurfaceOf(objects, source);
  if (!to || !from) {
    return FALSE;
  }
  const bool sourceInside = sourceX >= 0 && sourceY >= 0 && sourceWidth > 0 && sourceHeight > 0 &&
                            sourceX <= from->width - sourceWidth && sourceY <= from->height - sourceHeight;
  if (rop != SRCCOPY || width <= 0 || height <= 0 || !sourceInside) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const int mode = objects.Contexts().Find(target)->stretchMode;
  const PixelBlock block = ReadBlock(*from, sourceX, sourceY, sourceWidth, sourceHeight);
  WriteBlock(*to, linvale::platform::StretchPixels(block, width, height, mode), x, y);
  return TRUE;
}

int SetStretchBltMode(HDC hdc, int mode) {
  auto& objects = GdiObjects::Instance();
  const auto lock = objects.Lock();
  const auto context = objects.Contexts().FindOrFail(hdc);
  if (!context) {
    return 0;
  }
  if (mode < BLACKONWHITE || mode > HALFTONE) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  return std::exchange(context->stretchMode, mode);
}

int GetStretchBltMode(HDC hdc) {
  auto& objects = GdiObjects::Instance();
  const auto lock = objects.Lock();
  const auto context = objects.Contexts().FindOrFail(hdc);
  if (!context) {
    return 0;
  }
  return context->stretchMode;
}
