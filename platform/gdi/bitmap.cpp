// Creating, describing and deleting bitmaps.
#include "gdi/gdi_objects.h"
#include "memory/file_mapping.h"

#include <win32/gdi.h>

#include <cstring>

namespace {

using linvale::platform::Bitmap;
using linvale::platform::GdiObjects;

bool IsSupportedSectionFormat(const BITMAPINFOHEADER& header, UINT usage) {
  return header.biSize >= sizeof(BITMAPINFOHEADER) && header.biWidth > 0 && header.biHeight != 0 &&
         header.biPlanes == 1 && (header.biBitCount == 24 || header.biBitCount == 32) &&
         header.biCompression == BI_RGB && usage == DIB_RGB_COLORS;
}

// The section's own view of the mapping, so that the bitmap stays valid
// whatever happens to the mapping's handle.
bool MapSectionPixels(Bitmap& bitmap, HANDLE section, DWORD offset) {
  const auto mapping = linvale::platform::FindFileMapping(section);
  if (!mapping) {
    SetLastError(ERROR_INVALID_HANDLE);
    return false;
  }
  const std::uint64_t bytes = static_cast<std::uint64_t>(bitmap.Stride()) * static_cast<std::uint64_t>(bitmap.height);
  if (offset % 4 != 0 || offset > mapping->Size() || bytes > mapping->Size() - offset) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return false;
  }
  bitmap.pixels = linvale::platform::MappedRegion::OfFile(mapping->Descriptor(), offset, bytes, true);
  if (!bitmap.pixels) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return false;
  }
  bitmap.section = section;
  bitmap.sectionOffset = offset;
  return true;
}

BITMAP Describe(const Bitmap& bitmap) {
  BITMAP description{};
  description.bmWidth = bitmap.width;
  description.bmHeight = bitmap.height;
  description.bmWidthBytes = static_cast<LONG>(bitmap.Stride());
  description.bmPlanes = 1;
  description.bmBitsPixel = bitmap.bitsPerPixel;
  description.bmBits = bitmap.isSection ? bitmap.pixels.Data() : nullptr;
  return description;
}

DIBSECTION DescribeSection(const Bitmap& bitmap) {
  DIBSECTION description{};
  description.dsBm = Describe(bitmap);
  BITMAPINFOHEADER& header = description.dsBmih;
  header.biSize = sizeof(BITMAPINFOHEADER);
  header.biWidth = bitmap.width;
  header.biHeight = bitmap.topDown ? -bitmap.height : bitmap.height;
  header.biPlanes = 1;
  header.biBitCount = bitmap.bitsPerPixel;
  header.biCompression = BI_RGB;
  header.biSizeImage = static_cast<DWORD>(bitmap.Stride() * static_cast<std::size_t>(bitmap.height));
  description.dshSection = bitmap.section;
  description.dsOffset = bitmap.sectionOffset;
  return description;
}

}  // namespace

HBITMAP CreateCompatibleBitmap(HDC hdc, int width, int height) {
  auto& objects = GdiObjects::Instance();
  const auto lock = objects.Lock();
  if (!objects.Contexts().FindOrFail(hdc)) {
    return nullptr;
  }
  if (width <= 0 || height <= 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  auto bitmap = linvale::platform::MakeBitmap(width, height, 32);
  if (!bitmap) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  return objects.Bitmaps().Add<HBITMAP>(std::move(bitmap));
}

HBITMAP CreateDIBSection(HDC, const BITMAPINFO* info, UINT usage, void** bits, HANDLE section, DWORD offset) {
  if (bits != nullptr) {
    *bits = nullptr;
  }
  if (info == nullptr || !IsSupportedSectionFormat(info->bmiHeader, usage)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  const BITMAPINFOHEADER& header = info->bmiHeader;
  const LONG height = header.biHeight < 0 ? -header.biHeight : header.biHeight;
  std::shared_ptr<Bitmap> bitmap;
  if (section != nullptr) {
    bitmap = std::make_shared<Bitmap>();
    bitmap->width = header.biWidth;
    bitmap->height = height;
    bitmap->bitsPerPixel = header.biBitCount;
    if (!MapSectionPixels(*bitmap, section, offset)) {
      return nullptr;
    }
  } else {
    bitmap = linvale::platform::MakeBitmap(header.biWidth, height, header.biBitCount);
    if (!bitmap) {
      SetLastError(ERROR_NOT_ENOUGH_MEMORY);
      return nullptr;
    }
  }
  bitmap->isSection = true;
  bitmap->topDown = header.biHeight < 0;
  if (bits != nullptr) {
    *bits = bitmap->pixels.Data();
  }
  auto& objects = GdiObjects::Instance();
  const auto lock = objects.Lock();
  return objects.Bitmaps().Add<HBITMAP>(std::move(bitmap));
}

int GetObjectA(HGDIOBJ object, int bufferSize, LPVOID buffer) {
  auto& objects = GdiObjects::Instance();
  const auto lock = objects.Lock();
  const auto bitmap = objects.Bitmaps().FindOrFail(object);
  if (!bitmap) {
    return 0;
  }
  if (buffer == nullptr) {
    return sizeof(BITMAP);
  }
  if (bitmap->isSection && bufferSize >= static_cast<int>(sizeof(DIBSECTION))) {
    const DIBSECTION description = DescribeSection(*bitmap);
    std::memcpy(buffer, &description, sizeof description);
    return sizeof(DIBSECTION);
  }
  if (bufferSize >= static_cast<int>(sizeof(BITMAP))) {
    const BITMAP description = Describe(*bitmap);
    std::memcpy(buffer, &description, sizeof description);
    return sizeof(BITMAP);
  }
  SetLastError(ERROR_INSUFFICIENT_BUFFER);
  return 0;
}

BOOL DeleteObject(HGDIOBJ object) {
  auto& objects = GdiObjects::Instance();
  const auto lock = objects.Lock();
  const auto bitmap = objects.Bitmaps().FindOrFail(object);
  if (!bitmap) {
    return FALSE;
  }
  if (bitmap->isStock) {
    return TRUE;
  }
  if (bitmap->selectedInto != nullptr) {
    SetLastError(ERROR_BUSY);
    return FALSE;
  }
  objects.Bitmaps().Remove(object);
  return TRUE;
}
