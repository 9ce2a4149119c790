// Reading and writing a bitmap's pixels in a caller's device-independent
// layout.
#include "gdi/gdi_objects.h"
#include "gdi/pixel_rows.h"

#include <win32/gdi.h>

#include <algorithm>

namespace {

using linvale::platform::Bitmap;
using linvale::platform::GdiObjects;

// The caller's buffer as `info` describes it.
struct BufferLayout {
  WORD bitsPerPixel;
  bool topDown;
  std::size_t stride;
};

bool DescribeBuffer(const BITMAPINFO* info, const Bitmap& bitmap, UINT usage, BufferLayout& layout) {
  if (info == nullptr || usage != DIB_RGB_COLORS) {
    return false;
  }
  const BITMAPINFOHEADER& header = info->bmiHeader;
  if (header.biSize < sizeof(BITMAPINFOHEADER) || header.biWidth != bitmap.width || header.biHeight == 0 ||
      (header.biBitCount != 24 && header.biBitCount != 32) || header.biCompression != BI_RGB) {
    return false;
  }
  layout = {header.biBitCount, header.biHeight < 0, linvale::platform::DibStride(bitmap.width, header.biBitCount)};
  return true;
}

// Fills `header` with the bitmap's own format, as GetDIBits does when it
// gets no buffer.
void DescribeBitmap(const Bitmap& bitmap, BITMAPINFOHEADER& header) {
  header = BITMAPINFOHEADER{};
  header.biSize = sizeof(BITMAPINFOHEADER);
  header.biWidth = bitmap.width;
  header.biHeight = bitmap.height;
  header.biPlanes = 1;
  header.biBitCount = bitmap.bitsPerPixel;
  header.biCompression = BI_RGB;
  header.biSizeImage = static_cast<DWORD>(bitmap.Stride() * static_cast<std::size_t>(bitmap.height));
}

// The lines from `start` that exist, or 0.
LONG LinesToCopy(const Bitmap& bitmap, UINT start, UINT lines) {
  if (start >= static_cast<UINT>(bitmap.height)) {
    return 0;
  }
  return static_cast<LONG>(std::min<UINT>(lines, static_cast<UINT>(bitmap.height) - start));
}

// Offset in the caller's buffer of the k-th line copied out of `count`.
std::size_t BufferRowOffset(const BufferLayout& layout, LONG k, LONG count) {
  const LONG row = layout.topDown ? count - 1 - k : k;
  return static_cast<std::size_t>(row) * layout.stride;
}

// Looks the pair up under the lock the caller holds; sets the error code
// when either is unknown.
std::shared_ptr<Bitmap> FindTarget(GdiObjects& objects, HDC hdc, HBITMAP handle) {
  const auto context = objects.Contexts().FindOrFail(hdc);
  auto bitmap = objects.Bitmaps().FindOrFail(handle);
  return context ? bitmap : nullptr;
}

}  // namespace

int GetDIBits(HDC hdc, HBITMAP handle, UINT start, UINT lines, LPVOID bits, BITMAPINFO* info, UINT usage) {
  auto& objects = GdiObjects::Instance();
  const auto lock = objects.Lock();
  const auto bitmap = FindTarget(objects, hdc, handle);
  if (!bitmap) {
    return 0;
  }
  if (bits == nullptr && info != nullptr) {
    DescribeBitmap(*bitmap, info->bmiHeader);
    return bitmap->height;
  }
  BufferLayout layout{};
  const LONG count = LinesToCopy(*bitmap, start, lines);
  if (!DescribeBuffer(info, *bitmap, usage, layout) || count == 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  auto* buffer = static_cast<std::byte*>(bits);
  for (LONG k = 0; k < count; ++k) {
    linvale::platform::ConvertRow(bitmap->Row(static_cast<LONG>(start) + k), bitmap->bitsPerPixel,
                                  buffer + BufferRowOffset(layout, k, count), layout.bitsPerPixel, bitmap->width);
  }
  return count;
}

int SetDIBits(HDC hdc, HBITMAP handle, UINT start, UINT lines, const void* bits, const BITMAPINFO* info, UINT usage) {
  auto& objects = GdiObjects::Instance();
  const auto lock = objects.Lock();
  const auto bitmap = FindTarget(objects, hdc, handle);
  if (!bitmap) {
    return 0;
  }
  BufferLayout layout{};
  const LONG count = LinesToCopy(*bitmap, start, lines);
  if (bits == nullptr || !DescribeBuffer(info, *bitmap, usage, layout) || count == 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  const auto* buffer = static_cast<const std::byte*>(bits);
  bitmap->MarkWritten();
  for (LONG k = 0; k < count; ++k) {
    linvale::platform::ConvertRow(buffer + BufferRowOffset(layout, k, count), layout.bitsPerPixel,
                                  bitmap->Row(static_cast<LONG>(start) + k), bitmap->bitsPerPixel, bitmap->width);
  }
  return count;
}
