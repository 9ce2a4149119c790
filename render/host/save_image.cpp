// Writing a rendered bitmap to an image file; DevIL picks the encoder from
// the file name.
#include <linvale/npr_host_application_services.h>

#include <linvale/dib_pixels.h>
#include <linvale/npr_win32_owners.h>

#include <IL/il.h>
#include <IL/ilu.h>

#include <cstddef>
#include <cstdlib>
#include <string>

#include "../pipeline/pixel_buffer.h"
#include "wide_path.h"

namespace {

// GetDIBits pads every row it writes to four bytes; rows are stored
// unpadded one after the other, so the last row may spill up to three bytes.
constexpr std::size_t kRowPadding = 3;

// Hands the bitmap to the bound DevIL image as bottom-up 24-bit BGR rows of
// exactly width x 3 bytes. False when there is nothing sound to save: a
// handle that is not a bitmap, or no memory for the pixels (saving then would
// put an empty picture in place of the file).
bool BindPixels(HBITMAP bitmap) {
  BITMAP header{};
  if (GetObject(bitmap, sizeof header, &header) == 0 || header.bmWidth <= 0 || header.bmHeight == 0) {
    return false;
  }
  const LONG width = header.bmWidth;
  const LONG height = std::abs(header.bmHeight);
  const std::size_t stride = static_cast<std::size_t>(width) * 3;
  BITMAPINFO info = NprDibHeader(width, height, 24);
  info.bmiHeader.biSizeImage = static_cast<DWORD>(stride * static_cast<std::size_t>(height));

  const linvale::PixelBuffer pixels(stride * static_cast<std::size_t>(height) + kRowPadding);
  if (!pixels) {
    return false;
  }
  const NprScreenDC screen = NprGetScreenDC();
  for (LONG row = 0; row < height; ++row) {
    GetDIBits(screen.get(), bitmap, static_cast<UINT>(row), 1, pixels.Data() + stride * static_cast<std::size_t>(row),
              &info, DIB_RGB_COLORS);
  }
  if (ilTexImage(static_cast<ILuint>(width), static_cast<ILuint>(height), 1, 3, IL_BGR, IL_UNSIGNED_BYTE,
                 pixels.Data()) != IL_TRUE) {
    return false;
  }
  // The rows run bottom-up, whatever origin DevIL was last told about.
  ilRegisterOrigin(IL_ORIGIN_LOWER_LEFT);
  return true;
}

// The text after the last dot of the whole path, or the whole path.
std::string ExtensionOf(const std::string& path) {
  const std::size_t dot = path.rfind('.');
  return dot == std::string::npos ? path : path.substr(dot + 1);
}

}  // namespace

void NprHostApplicationServices::SaveImage(HBITMAP bitmap, const wchar_t* file) {
  if (file == nullptr) {
    return;
  }
  std::string path;
  try {
    path = linvale::host::WideToUtf8(file);
  } catch (...) {
    return;  // no memory even for the name: nothing can be written
  }
  ilEnable(IL_FILE_OVERWRITE);
  ILuint image = 0;
  ilGenImages(1, &image);
  ilBindImage(image);
  if (BindPixels(bitmap)) {
    const std::string extension = ExtensionOf(path);
    // Older TIFF encoders wrote rows as stored, ignoring the image's
    // origin, so TIFF pictures are turned top-down first. The encoder here
    // honours the origin and would turn them back, which left such files
    // upside down; declaring the turned rows top-down keeps them upright.
    if (extension == "tif" || extension == "tiff") {
      iluFlipImage();
      ilRegisterOrigin(IL_ORIGIN_UPPER_LEFT);
    }
    ilSaveImage(path.c_str());
  }
  ilBindImage(0);
  ilDeleteImages(1, &image);
}
