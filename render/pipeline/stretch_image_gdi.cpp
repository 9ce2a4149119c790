// Stretching with GDI's own area-averaging mode.
#include "image_resampling.h"

#include <linvale/npr_win32_owners.h>

namespace linvale::pipeline {

namespace {

// A memory context with a bitmap selected, which puts back the bitmap it
// started with and goes away with the scope.
class SelectedBitmap {
public:
  SelectedBitmap(HDC compatible, HBITMAP bitmap) : mContext(CreateCompatibleDC(compatible)) {
    if (mContext) {
      mPrevious = SelectObject(mContext.get(), bitmap);
    }
  }
  ~SelectedBitmap() {
    if (mPrevious != nullptr) {
      SelectObject(mContext.get(), mPrevious);
    }
  }
  SelectedBitmap(const SelectedBitmap&) = delete;
  SelectedBitmap& operator=(const SelectedBitmap&) = delete;

  HDC Context() const { return mContext.get(); }
  explicit operator bool() const { return mPrevious != nullptr; }

private:
  NprUniqueDC mContext;
  HGDIOBJ mPrevious = nullptr;
};

}  // namespace

HBITMAP StretchImageGDI(HDC hdc, HBITMAP source, SIZE size) {
  BITMAP sourceInfo{};
  if (hdc == nullptr || GetObject(source, sizeof sourceInfo, &sourceInfo) == 0) {
    return nullptr;
  }
  if (sourceInfo.bmWidth == size.cx && sourceInfo.bmHeight == size.cy) {
    return source;
  }
  NprUniqueGdiObject<HBITMAP> output;
  bool stretched = false;
  {
    const SelectedBitmap from(hdc, source);
    if (!from) {
      return nullptr;
    }
    output.reset(CreateCompatibleBitmap(from.Context(), size.cx, size.cy));
    if (!output) {
      return nullptr;
    }
    const SelectedBitmap to(hdc, output.get());
    stretched = to && SetStretchBltMode(to.Context(), HALFTONE) != 0 &&
                StretchBlt(to.Context(), 0, 0, size.cx, size.cy, from.Context(), 0, 0, sourceInfo.bmWidth,
                           sourceInfo.bmHeight, SRCCOPY);
  }
  if (!stretched) {
    const NprLastErrorScope failure;
    output.reset();
    return nullptr;
  }
  DeleteObject(source);
  return output.release();
}

}  // namespace linvale::pipeline
