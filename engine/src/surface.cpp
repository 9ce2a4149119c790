// A surface is its bitmap handle; members run with `this` being that handle,
// possibly null. This file is built with -fno-delete-null-pointer-checks so
// that the optimiser keeps treating a null surface as a bitmap that cannot be
// read.
#include <quorra/surface.h>

#include <linvale/npr_win32_owners.h>

namespace Npr::Gs {

Surface::~Surface() { DeleteObject(bitmap()); }

Size Surface::size() const {
  BITMAP info{};
  if (bitmap() == nullptr || GetObject(bitmap(), sizeof(info), &info) == 0) {
    return Size{};
  }
  return Size{info.bmWidth, info.bmHeight};
}

Surface* Surface::cloneScaled(Size target) const {
  const Size source = size();
  if (source.width <= 0 || source.height <= 0 || target.width <= 0 || target.height <= 0) {
    return nullptr;
  }
  const NprUniqueDC sourceDC(CreateCompatibleDC(nullptr));
  const NprUniqueDC targetDC(CreateCompatibleDC(nullptr));
  if (!sourceDC || !targetDC) {
    return nullptr;
  }
  NprUniqueGdiObject<HBITMAP> scaled(CreateCompatibleBitmap(sourceDC.get(), target.width, target.height));
  if (!scaled) {
    return nullptr;
  }
  const HGDIOBJ sourceStock = SelectObject(sourceDC.get(), bitmap());
  if (sourceStock == nullptr) {
    return nullptr;
  }
  const HGDIOBJ targetStock = SelectObject(targetDC.get(), scaled.get());
  bool copied = false;
  if (targetStock != nullptr) {
    SetStretchBltMode(targetDC.get(), HALFTONE);
    copied = StretchBlt(targetDC.get(), 0, 0, target.width, target.height, sourceDC.get(), 0, 0, source.width,
                        source.height, SRCCOPY) != FALSE;
    SelectObject(targetDC.get(), targetStock);
  }
  // Both bitmaps leave their contexts before either may be deleted.
  SelectObject(sourceDC.get(), sourceStock);
  return copied ? fromBitmap(scaled.release()) : nullptr;
}

}  // namespace Npr::Gs
