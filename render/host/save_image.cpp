// Writing a rendered bitmap to an image file; DevIL picks the encoder from
// the file name.
#include <linvale/npr_host_application_services.h>
#include <linvale/npr_image_file.h>

#include <linvale/dib_pixels.h>
#include <linvale/npr_win32_owners.h>

#include <IL/il.h>
#include <IL/ilu.h>

#include <cerrno>
#include <cstddef>
#include <cstdlib>
#include <string>
#include <unistd.h>

#include "../pipeline/pixel_buffer.h"
#include "devil_file_writer.h"
#include "wide_path.h"

namespace {

// GetDIBits pads every row it writes to four bytes; rows are stored
// unpadded one after the other, so the last row may spill up to three bytes.
constexpr std::size_t kRowPadding = 3;

// A DevIL image name, bound while it lives.
class BoundImage {
public:
  BoundImage() {
    ilGenImages(1, &mName);
    ilBindImage(mName);
  }
  ~BoundImage() {
    ilBindImage(0);
    ilDeleteImages(1, &mName);
  }
  BoundImage(const BoundImage&) = delete;
  BoundImage& operator=(const BoundImage&) = delete;

private:
  ILuint mName = 0;
};

// Hands the bitmap to the bound DevIL image as bottom-up 24-bit BGR rows of
// exactly width x 3 bytes. Returns 0, or an errno when there is nothing sound
// to save: a handle that is not a bitmap, or no memory for the pixels (saving
// then would put an empty picture in place of the file).
int BindPixels(HBITMAP bitmap) {
  BITMAP header{};
  if (GetObject(bitmap, sizeof header, &header) == 0 || header.bmWidth <= 0 || header.bmHeight == 0) {
    return EINVAL;
  }
  const LONG width = header.bmWidth;
  const LONG height = std::abs(header.bmHeight);
  const std::size_t stride = static_cast<std::size_t>(width) * 3;
  BITMAPINFO info = NprDibHeader(width, height, 24);
  info.bmiHeader.biSizeImage = static_cast<DWORD>(stride * static_cast<std::size_t>(height));

  const linvale::PixelBuffer pixels(stride * static_cast<std::size_t>(height) + kRowPadding);
  if (!pixels) {
    return ENOMEM;
  }
  const NprScreenDC screen = NprGetScreenDC();
  for (LONG row = 0; row < height; ++row) {
    GetDIBits(screen.get(), bitmap, static_cast<UINT>(row), 1, pixels.Data() + stride * static_cast<std::size_t>(row),
              &info, DIB_RGB_COLORS);
  }
  if (ilTexImage(static_cast<ILuint>(width), static_cast<ILuint>(height), 1, 3, IL_BGR, IL_UNSIGNED_BYTE,
                 pixels.Data()) != IL_TRUE) {
    return ENOMEM;
  }
  // The rows run bottom-up, whatever origin DevIL was last told about.
  ilRegisterOrigin(IL_ORIGIN_LOWER_LEFT);
  return 0;
}

// The text after the last dot of the whole path, or the whole path.
std::string ExtensionOf(const std::string& path) {
  const std::size_t dot = path.rfind('.');
  return dot == std::string::npos ? path : path.substr(dot + 1);
}

int ErrnoForDevilError(ILenum error) {
  switch (error) {
    case IL_OUT_OF_MEMORY: return ENOMEM;
    case IL_INVALID_ENUM:
    case IL_INVALID_EXTENSION:
    case IL_FORMAT_NOT_SUPPORTED: return ENOTSUP;
    default: return EIO;
  }
}

// Encodes the bound image into `path`. A failed write is told by the file
// system's own reason even where DevIL reports success.
int Encode(ILenum type, const std::string& path) {
  linvale::host::DevilFileWriter writer(path);
  if (!writer.IsOpen()) {
    return writer.Error();
  }
  while (ilGetError() != IL_NO_ERROR) {
  }
  const bool saved = ilSave(type, path.c_str()) == IL_TRUE;
  const ILenum devilError = ilGetError();
  const int writeError = writer.Error();
  const int finishError = writer.Finish();
  if (writeError != 0) {
    return writeError;
  }
  if (!saved) {
    return ErrnoForDevilError(devilError);
  }
  return finishError;
}

// Returns 0, or an errno; a failure leaves no file at `path`.
int WriteImageFile(HBITMAP bitmap, const std::string& path) {
  const ILenum type = ilTypeFromExt(path.c_str());
  if (type == IL_TYPE_UNKNOWN) {
    return ENOTSUP;
  }
  ilEnable(IL_FILE_OVERWRITE);
  const BoundImage image;
  if (const int error = BindPixels(bitmap); error != 0) {
    return error;
  }
  const std::string extension = ExtensionOf(path);
  // Older TIFF encoders wrote rows as stored, ignoring the image's
  // origin, so TIFF pictures are turned top-down first. The encoder here
  // honours the origin and would turn them back, which left such files
  // upside down; declaring the turned rows top-down keeps them upright.
  if (extension == "tif" || extension == "tiff") {
    iluFlipImage();
    ilRegisterOrigin(IL_ORIGIN_UPPER_LEFT);
  }
  const int error = Encode(type, path);
  if (error != 0) {
    unlink(path.c_str());
  }
  return error;
}

}  // namespace

int NprSaveImageFile(HBITMAP bitmap, const wchar_t* file) {
  if (file == nullptr) {
    return EINVAL;
  }
  std::string path;
  try {
    path = linvale::host::WideToUtf8(file);
  } catch (...) {
    return ENOMEM;  // no memory even for the name: nothing can be written
  }
  return WriteImageFile(bitmap, path);
}

void NprHostApplicationServices::SaveImage(HBITMAP bitmap, const wchar_t* file) { NprSaveImageFile(bitmap, file); }
