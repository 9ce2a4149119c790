// The off-screen OpenGL bitmap context exports. Each failure path undoes
// what was made, in the reverse order, and leaves the error code of the
// step that failed.
#include <linvale/bitmap_dc.h>

#include <linvale/dib_pixels.h>

#include <GL/gl.h>

#include <algorithm>
#include <cstdint>

namespace {

// Only these two bits of a format request count.
constexpr unsigned long implementationBits = PFD_GENERIC_FORMAT | PFD_GENERIC_ACCELERATED;

// Room for 32-bit pixels plus a bitmap header, whatever the screen depth.
constexpr std::uint64_t mappingHeaderBytes = 40;

bool Matches(const PIXELFORMATDESCRIPTOR& format, unsigned char colorBits, unsigned char alphaBits,
             unsigned char depthBits, unsigned char accumBits, unsigned long flags) {
  const DWORD required = PFD_DRAW_TO_BITMAP | PFD_SUPPORT_OPENGL;
  return (format.dwFlags & required) == required &&
         (format.dwFlags & implementationBits) == (flags & implementationBits) && format.iPixelType == PFD_TYPE_RGBA && format.cColorBits >= colorBits && format.cAlphaBits >= alphaBits &&
         format.cDepthBits >= depthBits && format.cAccumBits >= accumBits;
}

// Closes the handle in a slot, if there is a slot and a handle, and clears
// it.
void CloseSlot(HANDLE* slot) {
  if (slot != nullptr && *slot != nullptr) {
    CloseHandle(*slot);
    *slot = nullptr;
  }
}

// Runs a clean-up step without letting it change the error code the caller
// will see.
template <typename CleanUp>
void KeepingError(CleanUp cleanUp) {
  const DWORD error = GetLastError();
  cleanUp();
  SetLastError(error);
}

// Computed in 64 bits: large pictures exceed 4 GiB. A size that is no size
// gets just the header, and the bitmap then fails to fit.
HANDLE CreatePixelMapping(const SIZE& size) {
  const auto width = static_cast<std::uint64_t>(std::max<LONG>(size.cx, 0));
  const auto height = static_cast<std::uint64_t>(std::max<LONG>(size.cy, 0));
  const std::uint64_t bytes = width * height * 4 + mappingHeaderBytes;
  return CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, static_cast<DWORD>(bytes >> 32),
                            static_cast<DWORD>(bytes & 0xFFFFFFFFU), nullptr);
}

// A bottom-up, uncompressed section with the screen's depth over the whole
// mapping from offset 0.
HBITMAP CreateMappedSection(HDC hdc, const SIZE& size, int bitsPerPixel, HANDLE mapping) {
  const BITMAPINFO info = NprDibHeader(size.cx, size.cy, static_cast<WORD>(bitsPerPixel));
  void* bits = nullptr;
  return CreateDIBSection(hdc, &info, DIB_RGB_COLORS, &bits, mapping, 0);
}

}  // namespace

int wglSetPixelFormat(HDC hdc, unsigned char colorBits, unsigned char alphaBits, unsigned char depthBits,
                      unsigned char accumBits, unsigned long flags) {
  PIXELFORMATDESCRIPTOR format{};
  const int count = DescribePixelFormat(hdc, 0, sizeof format, &format);
  for (int index = 1; index <= count; ++index) {
    if (DescribePixelFormat(hdc, index, sizeof format, &format) != 0 &&
        Matches(format, colorBits, alphaBits, depthBits, accumBits, flags)) {
      if (SetPixelFormat(hdc, index, &format)) {
        return index;
      }
      break;
    }
  }
  SetLastError(ERROR_INVALID_PIXEL_FORMAT);
  return 0;
}

int wglCreateCompatibleBitmapDC(BitmapDC* dc, const SIZE* size, unsigned char alphaBits, unsigned char depthBits,
                                unsigned char accumBits, unsigned long flags, HANDLE* fileHandle,
                                HANDLE* mappingHandle) {
  // A missing size, or a file slot without a slot for the mapping it makes,
  // would be read or written through a null pointer.
  if (dc == nullptr || size == nullptr || (fileHandle != nullptr && mappingHandle == nullptr)) {
    SetLastError(ERROR_BAD_ARGUMENTS);
    return 0;
  }
  HDC memory = CreateCompatibleDC(dc->hdc);
  if (memory == nullptr) {
    return 0;
  }
  const int bitsPerPixel = GetDeviceCaps(dc->hdc, BITSPIXEL);

  HBITMAP bitmap = nullptr;
  if (fileHandle != nullptr) {
    *mappingHandle = CreatePixelMapping(*size);
    if (*mappingHandle == nullptr) {
      KeepingError([&] {
        CloseSlot(fileHandle);
        DeleteDC(memory);
      });
      return 0;
    }
    bitmap = CreateMappedSection(dc->hdc, *size, bitsPerPixel, *mappingHandle);
  } else {
    bitmap = CreateCompatibleBitmap(dc->hdc, size->cx, size->cy);
  }
  if (bitmap == nullptr) {
    KeepingError([&] {
      CloseSlot(fileHandle);
      if (fileHandle != nullptr) {
        CloseSlot(mappingHandle);
      }
      DeleteDC(memory);
    });
    return 0;
  }

  dc->other = SelectObject(memory, bitmap);
  const int format =
      dc->other != nullptr ? wglSetPixelFormat(memory, static_cast<unsigned char>(bitsPerPixel), alphaBits,
                                               depthBits, accumBits, flags)
                           : 0;
  if (format == 0) {
    KeepingError([&] {
      CloseSlot(fileHandle);
      if (fileHandle != nullptr) {
        CloseSlot(mappingHandle);
      }
      if (dc->other != nullptr) {
        SelectObject(memory, dc->other);
      }
      DeleteObject(bitmap);
      dc->other = nullptr;
      DeleteDC(memory);
    });
    return 0;
  }
  dc->hdc = memory;
  return format;
}

int wglCreateDefaultBitmapDC(BitmapDC* dc, const SIZE* size, unsigned char alphaBits, unsigned char depthBits,
                             unsigned char accumBits, unsigned long flags, HANDLE* fileHandle,
                             HANDLE* mappingHandle) {
  if (dc == nullptr) {
    SetLastError(ERROR_BAD_ARGUMENTS);
    return 0;
  }
  HDC screen = GetDC(nullptr);
  dc->hdc = screen;
  const int format =
      wglCreateCompatibleBitmapDC(dc, size, alphaBits, depthBits, accumBits, flags, fileHandle, mappingHandle);
  KeepingError([&] { ReleaseDC(nullptr, screen); });
  // The screen context is released: a failed creation must not leave the
  // caller holding its handle.
  if (format == 0) {
    dc->hdc = nullptr;
  }
  return format;
}

HBITMAP wglLockBitmap(BitmapDC* dc) {
  if (dc == nullptr) {
    SetLastError(ERROR_BAD_ARGUMENTS);
    return nullptr;
  }
  glFinish();
  wglMakeCurrent(nullptr, nullptr);
  HGDIOBJ drawing = SelectObject(dc->hdc, dc->other);
  if (drawing == nullptr) {
    return nullptr;
  }
  dc->other = drawing;
  return drawing;
}

int wglUnLockBitmap(BitmapDC* dc, HGLRC glrc) {
  if (dc == nullptr) {
    SetLastError(ERROR_BAD_ARGUMENTS);
    return 0;
  }
  HGDIOBJ stock = SelectObject(dc->hdc, dc->other);
  if (stock == nullptr) {
    return 0;
  }
  dc->other = stock;
  if (glrc != nullptr) {
    return wglMakeCurrent(dc->hdc, glrc);
  }
  return 1;
}

int wglDeleteBitmapDC(BitmapDC* dc) {
  if (dc == nullptr) {
    SetLastError(ERROR_BAD_ARGUMENTS);
    return 0;
  }
  HGDIOBJ drawing = SelectObject(dc->hdc, dc->other);
  if (drawing == nullptr) {
    return 0;
  }
  dc->other = drawing;
  if (!DeleteDC(dc->hdc)) {
    return 0;
  }
  dc->hdc = nullptr;
  return 1;
}
