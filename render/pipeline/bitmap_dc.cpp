// The off-screen OpenGL bitmap context exports. Each failure path undoes
// what was made, in the reverse order, and leaves the error code of the
// step that failed.
#include <linvale/bitmap_dc.h>

#include <linvale/npr_win32_owners.h>

#include <GL/gl.h>

#include "mapped_section.h"

namespace {

// Only these two bits of a format request count.
constexpr unsigned long implementationBits = PFD_GENERIC_FORMAT | PFD_GENERIC_ACCELERATED;

bool Matches(const PIXELFORMATDESCRIPTOR& format, unsigned char colorBits, unsigned char alphaBits,
             unsigned char depthBits, unsigned char accumBits, unsigned long flags) {
  const DWORD required = PFD_DRAW_TO_BITMAP | PFD_SUPPORT_OPENGL;
  return (format.dwFlags & required) == required &&
         (format.dwFlags & implementationBits) == (flags & implementationBits) && format.iPixelType == PFD_TYPE_RGBA &&
         format.cColorBits >= colorBits && format.cAlphaBits >= alphaBits && format.cDepthBits >= depthBits &&
         format.cAccumBits >= accumBits;
}

// The file slot's handle, and the mapping slot's when the caller asked for
// a mapping; a failed creation leaves neither behind.
void CloseSlots(HANDLE* fileHandle, HANDLE* mappingHandle) {
  NprCloseHandleSlot(fileHandle);
  if (fileHandle != nullptr) {
    NprCloseHandleSlot(mappingHandle);
  }
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
  NprUniqueDC memory(CreateCompatibleDC(dc->hdc));
  if (!memory) {
    return 0;
  }
  const int bitsPerPixel = GetDeviceCaps(dc->hdc, BITSPIXEL);

  NprUniqueGdiObject<HBITMAP> bitmap;
  if (fileHandle != nullptr) {
    linvale::pipeline::MappedSection made =
        linvale::pipeline::CreateMappedSection(dc->hdc, *size, static_cast<WORD>(bitsPerPixel));
    *mappingHandle = made.mapping.release();
    if (*mappingHandle == nullptr) {
      const NprLastErrorScope failure;
      NprCloseHandleSlot(fileHandle);
      memory.reset();
      return 0;
    }
    bitmap = std::move(made.section);
  } else {
    bitmap.reset(CreateCompatibleBitmap(dc->hdc, size->cx, size->cy));
  }
  if (!bitmap) {
    const NprLastErrorScope failure;
    CloseSlots(fileHandle, mappingHandle);
    memory.reset();
    return 0;
  }

  dc->other = SelectObject(memory.get(), bitmap.get());
  const int format = dc->other != nullptr ? wglSetPixelFormat(memory.get(), static_cast<unsigned char>(bitsPerPixel),
                                                              alphaBits, depthBits, accumBits, flags)
                                          : 0;
  if (format == 0) {
    const NprLastErrorScope failure;
    CloseSlots(fileHandle, mappingHandle);
    if (dc->other != nullptr) {
      SelectObject(memory.get(), dc->other);
    }
    bitmap.reset();
    dc->other = nullptr;
    memory.reset();
    return 0;
  }
  // The bitmap now lives in the memory context, which the caller owns.
  bitmap.release();
  dc->hdc = memory.release();
  return format;
}

int wglCreateDefaultBitmapDC(BitmapDC* dc, const SIZE* size, unsigned char alphaBits, unsigned char depthBits,
                             unsigned char accumBits, unsigned long flags, HANDLE* fileHandle, HANDLE* mappingHandle) {
  if (dc == nullptr) {
    SetLastError(ERROR_BAD_ARGUMENTS);
    return 0;
  }
  NprScreenDC screen = NprGetScreenDC();
  dc->hdc = screen.get();
  const int format =
      wglCreateCompatibleBitmapDC(dc, size, alphaBits, depthBits, accumBits, flags, fileHandle, mappingHandle);
  {
    const NprLastErrorScope creationError;
    screen.reset();
  }
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
