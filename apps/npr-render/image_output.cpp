#include "image_output.h"

#include <filesystem>
#include <system_error>
#include <unistd.h>

#include <linvale/dib_pixels.h>
#include <windows.h>

#include "utf8.h"

namespace npr_render {
namespace {

namespace fs = std::filesystem;

// The encoder is chosen by the text after the last dot; only a dot in the
// file's own name counts here, so "out.d/picture" is refused.
std::string ExtensionOf(const fs::path& path) {
  const std::string name = path.filename().string();
  const std::size_t dot = name.rfind('.');
  return dot == std::string::npos ? std::string() : name.substr(dot + 1);
}

fs::path FolderOf(const fs::path& path) {
  return path.has_parent_path() ? path.parent_path() : fs::path(".");
}

fs::path TemporaryPathFor(const fs::path& path) {
  return FolderOf(path) / ("." + path.filename().string() + ".npr-render-" + std::to_string(getpid()) + "." +
                           ExtensionOf(path));
}

// True when SaveImage left a non-empty file at `path`.
bool SaveThroughHost(NprHostApplicationServices& host, HBITMAP bitmap, const fs::path& path) {
  const auto wide = Utf8ToWide(path.string());
  if (!wide) {
    return false;
  }
  host.SaveImage(bitmap, wide->c_str());
  std::error_code error;
  return fs::is_regular_file(path, error) && fs::file_size(path, error) > 0 && !error;
}

class TinyBitmap {
public:
  TinyBitmap() {
    const BITMAPINFO info = NprDibHeader(1, 1, 24);
    void* bits = nullptr;
    mBitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  }
  ~TinyBitmap() {
    if (mBitmap != nullptr) {
      DeleteObject(mBitmap);
    }
  }
  TinyBitmap(const TinyBitmap&) = delete;
  TinyBitmap& operator=(const TinyBitmap&) = delete;
  HBITMAP get() const { return mBitmap; }

private:
  HBITMAP mBitmap = nullptr;
};

}  // namespace

std::string CheckImageOutput(NprHostApplicationServices& host, const std::string& path) {
  const fs::path target(path);
  if (ExtensionOf(target).empty()) {
    return "cannot tell the image format of '" + path + "': give it an extension such as .png or .jpg";
  }
  if (!Utf8ToWide(path)) {
    return "output name '" + path + "' is not valid UTF-8";
  }
  std::error_code error;
  const fs::path folder = FolderOf(target);
  if (!fs::is_directory(folder, error)) {
    return "cannot write '" + path + "': folder '" + folder.string() + "' does not exist";
  }
  if (fs::is_directory(target, error)) {
    return "cannot write '" + path + "': it is a folder";
  }
  if (access(folder.c_str(), W_OK) != 0) {
    return "cannot write '" + path + "': folder '" + folder.string() + "' is not writable";
  }
  TinyBitmap probe;
  const fs::path temporary = TemporaryPathFor(target);
  const bool written = probe.get() != nullptr && SaveThroughHost(host, probe.get(), temporary);
  fs::remove(temporary, error);
  if (!written) {
    return "cannot write '" + path + "': image format '" + ExtensionOf(target) + "' is not supported";
  }
  return {};
}

std::string WriteImage(NprHostApplicationServices& host, HBITMAP bitmap, const std::string& path) {
  const fs::path target(path);
  const fs::path temporary = TemporaryPathFor(target);
  std::error_code error;
  if (!SaveThroughHost(host, bitmap, temporary)) {
    fs::remove(temporary, error);
    return "could not write '" + path + "'";
  }
  fs::rename(temporary, target, error);
  if (error) {
    const std::string reason = error.message();
    fs::remove(temporary, error);
    return "could not write '" + path + "': " + reason;
  }
  return {};
}

}  // namespace npr_render
