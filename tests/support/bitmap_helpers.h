// Small helpers for tests that build bitmaps and count what is left alive.
#pragma once

#include <windows.h>

#include <cstdint>
#include <ostream>
#include <vector>

namespace linvale::test {

inline BITMAPINFO DibHeader(LONG width, LONG height, WORD bitsPerPixel) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = bitsPerPixel;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

// A section in memory; negative `height` makes it top down.
inline HBITMAP MakeSection(LONG width, LONG height, WORD bitsPerPixel, void** bits = nullptr) {
  const BITMAPINFO info = DibHeader(width, height, bitsPerPixel);
  void* ignored = nullptr;
  return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, bits != nullptr ? bits : &ignored, nullptr, 0);
}

// A 32-bit bottom-up bitmap filled from `pixels` (blue, green, red, fourth
// byte; bottom row first).
inline HBITMAP MakeBitmap32(HDC hdc, LONG width, LONG height, const std::vector<std::uint8_t>& pixels) {
  HBITMAP bitmap = CreateCompatibleBitmap(hdc, width, height);
  const BITMAPINFO info = DibHeader(width, height, 32);
  SetDIBits(hdc, bitmap, 0, static_cast<UINT>(height), pixels.data(), &info, DIB_RGB_COLORS);
  return bitmap;
}

// All pixels of a bitmap as 32-bit bottom-up rows.
inline std::vector<std::uint8_t> ReadPixels32(HDC hdc, HBITMAP bitmap) {
  BITMAP description{};
  GetObject(bitmap, sizeof description, &description);
  std::vector<std::uint8_t> pixels(static_cast<std::size_t>(description.bmWidth) * description.bmHeight * 4);
  BITMAPINFO info = DibHeader(description.bmWidth, description.bmHeight, 32);
  GetDIBits(hdc, bitmap, 0, static_cast<UINT>(description.bmHeight), pixels.data(), &info, DIB_RGB_COLORS);
  return pixels;
}

// A bitmap's pixels as 0x00RRGGBB values (the fourth byte cleared), bottom
// row first. `rows` is how many rows could be read; a handle that is no
// bitmap gives an empty picture.
struct Colours32 {
  LONG width = 0;
  LONG height = 0;
  int rows = 0;
  std::vector<std::uint32_t> values;
};

inline Colours32 ReadColours32(HBITMAP bitmap) {
  Colours32 colours;
  BITMAP description{};
  if (bitmap == nullptr || GetObject(bitmap, sizeof description, &description) == 0) {
    return colours;
  }
  colours.width = description.bmWidth;
  colours.height = description.bmHeight;
  colours.values.resize(static_cast<std::size_t>(colours.width) * static_cast<std::size_t>(colours.height));
  BITMAPINFO info = DibHeader(colours.width, colours.height, 32);
  HDC screen = GetDC(nullptr);
  colours.rows =
      GetDIBits(screen, bitmap, 0, static_cast<UINT>(colours.height), colours.values.data(), &info, DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  for (std::uint32_t& value : colours.values) {
    value &= 0x00FFFFFFU;
  }
  return colours;
}

// What a test may leave behind: GDI objects and kernel handles.
struct LiveObjects {
  DWORD gdi = 0;
  DWORD handles = 0;

  static LiveObjects Now() {
    LiveObjects now;
    now.gdi = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    GetProcessHandleCount(GetCurrentProcess(), &now.handles);
    return now;
  }
  bool operator==(const LiveObjects&) const = default;
  friend void PrintTo(const LiveObjects& live, std::ostream* out) {
    *out << live.gdi << " GDI objects, " << live.handles << " handles";
  }
};

}  // namespace linvale::test
