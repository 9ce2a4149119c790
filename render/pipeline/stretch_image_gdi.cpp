// Stretching with GDI's own area-averaging mode.
#include "image_resampling.h"

namespace linvale {

namespace {

// A memory context with a bitmap selected, which puts back the bitmap it
// started with and goes away with the scope.
class SelectedBitmap {
public:
  SelectedBitmap(HDC compatible, HBITMAP bitmap) : mContext(CreateCompatibleDC(compatible)) {
    if (mContext != nullptr) {
      mPrevious = SelectObject(mContext, bitmap);
    }
  }
  ~SelectedBitmap() {
    if (mPrevious != nullptr) {
      SelectObject(mContext, mPrevious);
    }
    if (mContext != nullptr) {
      DeleteDC(mContext);
    }
  }
  SelectedBitmap(const SelectedBitmap&) = delete;
  SelectedBitmap& operator=(const SelectedBitmap&) = delete;

  HDC Context() const { return mContext; }
  explicit operator bool() const { return mPrevious != nullptr; }

private:
  HDC mContext;
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
  HBITMAP output = nullptr;
  bool stretched = false;
  {
    const SelectedBitmap from(hdc, source);
    if (!from) {
      return nullptr;
    }
    output = CreateCompatibleBitmap(from.Context(), size.cx, size.cy);
    if (output == nullptr) {
      return nullptr;
    }
    const SelectedBitmap to(hdc, output);
    stretched = to && SetStretchBltMode(to.Context(), HALFTONE) != 0 &&
                StretchBlt(to.Context(), 0, 0, size.cx, size.cy, from.Context(), 0, 0, sourceInfo.bmWidth,
                           sourceInfo.bmHeight, SRCCOPY);
  }
  if (!stretched) {
    const DWORD error = GetLastError();
    DeleteObject(output);
    SetLastError(error);
    return nullptr;
  }
  DeleteObject(source);
  return output;
}

}  // namespace linvale
