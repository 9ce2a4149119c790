#include "fast_png.h"

#include <linvale/dib_pixels.h>
#include <linvale/npr_win32_owners.h>

#include <png.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

namespace npr_render {
namespace {

struct CloseFile {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

// Bottom-up rows of blue, green and red, each padded to four bytes as GDI
// hands them out.
struct BgrRows {
  std::vector<png_byte> bytes;
  png_uint_32 width = 0;
  png_uint_32 height = 0;
  std::size_t stride = 0;
};

bool ReadRows(HBITMAP bitmap, BgrRows& rows) {
  BITMAP header{};
  if (GetObject(bitmap, sizeof header, &header) == 0 || header.bmWidth <= 0 || header.bmHeight == 0) {
    errno = EINVAL;
    return false;
  }
  rows.width = static_cast<png_uint_32>(header.bmWidth);
  rows.height = static_cast<png_uint_32>(std::abs(header.bmHeight));
  rows.stride = (static_cast<std::size_t>(rows.width) * 3 + 3) & ~std::size_t{3};
  rows.bytes.resize(rows.stride * rows.height);
  const BITMAPINFO info = NprDibHeader(header.bmWidth, static_cast<LONG>(rows.height), 24);
  const NprScreenDC screen = NprGetScreenDC();
  if (GetDIBits(screen.get(), bitmap, 0, rows.height, rows.bytes.data(), const_cast<BITMAPINFO*>(&info),
                DIB_RGB_COLORS) != static_cast<int>(rows.height)) {
    errno = EINVAL;
    return false;
  }
  return true;
}

// The file's content forced to the disk, so that a full disk is told now
// rather than lost at close.
int Close(std::unique_ptr<std::FILE, CloseFile> file) {
  if (std::fflush(file.get()) != 0 || std::ferror(file.get()) != 0 || fsync(fileno(file.get())) != 0) {
    return errno != 0 ? errno : EIO;
  }
  return std::fclose(file.release()) == 0 ? 0 : errno;
}

}  // namespace

int WriteFastPng(HBITMAP bitmap, const std::filesystem::path& path) {
  try {
    BgrRows rows;
    if (!ReadRows(bitmap, rows)) {
      return errno;
    }
    std::unique_ptr<std::FILE, CloseFile> file(std::fopen(path.c_str(), "wb"));
    if (!file) {
      return errno;
    }
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = rows.width;
    image.height = rows.height;
    image.format = PNG_FORMAT_BGR;
    image.flags = PNG_IMAGE_FLAG_FAST;
    errno = 0;
    // A negative stride: the rows run bottom-up.
    const bool written = png_image_write_to_stdio(&image, file.get(), 0, rows.bytes.data(),
                                                  -static_cast<png_int_32>(rows.stride), nullptr) != 0;
    const int writeError = errno;
    png_image_free(&image);
    if (!written) {
      return writeError != 0 ? writeError : EIO;
    }
    return Close(std::move(file));
  } catch (const std::bad_alloc&) {
    return ENOMEM;
  }
}

}  // namespace npr_render
