#include "gdi/gdi_objects.h"

#include <win32/process.h>

#include <cstdint>

namespace linvale::platform {

std::size_t DibStride(LONG width, WORD bitsPerPixel) {
  const std::size_t bits = static_cast<std::size_t>(width) * bitsPerPixel;
  return (bits + 31) / 32 * 4;
}

std::byte* Bitmap::Row(LONG row) const {
  const LONG stored = topDown ? height - 1 - row : row;
  return pixels.Data() + static_cast<std::size_t>(stored) * Stride();
}

std::shared_ptr<Bitmap> MakeBitmap(LONG width, LONG height, WORD bitsPerPixel) {
  auto bitmap = std::make_shared<Bitmap>();
  bitmap->width = width;
  bitmap->height = height;
  bitmap->bitsPerPixel = bitsPerPixel;
  bitmap->pixels = MappedRegion::Anonymous(bitmap->Stride() * static_cast<std::size_t>(height));
  return bitmap->pixels ? bitmap : nullptr;
}

GdiObjects& GdiObjects::Instance() {
  static GdiObjects objects;
  return objects;
}

GdiObjects::GdiObjects() {
  // The 1x1 bitmap every new memory context starts with; it is what a
  // context hands back when the caller's bitmap is swapped out again.
  auto stock = MakeBitmap(1, 1, 32);
  stock->isStock = true;
  mStockBitmap = mBitmaps.Add<HBITMAP>(std::move(stock));
}

std::shared_ptr<Bitmap> GdiObjects::SelectedBitmap(HDC hdc) const {
  const auto context = mContexts.Find(hdc);
  if (!context || !context->isMemory) {
    return nullptr;
  }
  return mBitmaps.Find(context->selected);
}

}  // namespace linvale::platform

DWORD GetGuiResources(HANDLE process, DWORD kind) {
  if (process != GetCurrentProcess() || kind != GR_GDIOBJECTS) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  auto& objects = linvale::platform::GdiObjects::Instance();
  const auto lock = objects.Lock();
  return static_cast<DWORD>(objects.CreatedCount());
}
