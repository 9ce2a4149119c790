#include "image_output.h"

#include "fast_png.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <strings.h>
#include <system_error>
#include <unistd.h>

#include <linvale/dib_pixels.h>
#include <linvale/npr_image_file.h>
#include <linvale/npr_vector_render.h>
#include <linvale/npr_win32_owners.h>
#include <windows.h>

#include "stop_signals.h"
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

fs::path FolderOf(const fs::path& path) { return path.has_parent_path() ? path.parent_path() : fs::path("."); }

struct Target {
  fs::path file;       // where the picture goes: `path` with links followed
  std::string reason;  // why there is no such file, when it is empty
};

// A link that leads nowhere is refused, as cp refuses to write through a
// dangling link: the file it would create is not one the user named.
Target ResolveTarget(const fs::path& path) {
  std::error_code error;
  if (!fs::is_symlink(path, error)) {
    return {path, {}};
  }
  fs::path file = fs::canonical(path, error);
  if (error) {
    return {{}, "the link leads to no file (" + error.message() + ")"};
  }
  return {file, {}};
}

// Named after the target and this process, carrying the extension the user
// gave, which chooses the format even when a link's target has another.
fs::path TemporaryPathFor(const fs::path& file, const std::string& extension) {
  return FolderOf(file) /
         ("." + file.filename().string() + ".npr-render-" + std::to_string(getpid()) + "." + extension);
}

// 0 when the whole file was written, else the reason as an errno value.
// PNG, the usual format of the command line, goes the fast way.
int SaveImageFile(HBITMAP bitmap, const fs::path& path) {
  if (strcasecmp(path.extension().c_str(), ".png") == 0) {
    return WriteFastPng(bitmap, path);
  }
  const auto wide = Utf8ToWide(path.string());
  return wide ? NprSaveImageFile(bitmap, wide->c_str()) : EINVAL;
}

std::string Unwritable(const std::string& path, const std::string& reason) {
  return "cannot write '" + path + "': " + reason;
}

NprUniqueGdiObject<HBITMAP> TinyBitmap() {
  const BITMAPINFO info = NprDibHeader(1, 1, 24);
  void* bits = nullptr;
  return NprUniqueGdiObject<HBITMAP>(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
}

// The new file keeps the permissions of the one it replaces; a failure to
// copy them is no reason to lose the picture.
void KeepPermissions(const fs::path& from, const fs::path& to) {
  std::error_code error;
  const fs::file_status status = fs::status(from, error);
  if (!error && fs::exists(status)) {
    fs::permissions(to, status.permissions(), error);
  }
}

}  // namespace

std::string CheckImageOutput(const std::string& path) {
  const std::string extension = ExtensionOf(path);
  if (extension.empty()) {
    return "cannot tell the image format of '" + path + "': give it an extension such as .png or .jpg";
  }
  if (!Utf8ToWide(path)) {
    return "output name '" + path + "' is not valid UTF-8";
  }
  const Target target = ResolveTarget(path);
  if (!target.reason.empty()) {
    return Unwritable(path, target.reason);
  }
  std::error_code error;
  const fs::path folder = FolderOf(target.file);
  if (!fs::is_directory(folder, error)) {
    return Unwritable(path, "folder '" + folder.string() + "' does not exist");
  }
  if (fs::is_directory(target.file, error)) {
    return Unwritable(path, "it is a folder");
  }
  if (access(folder.c_str(), W_OK) != 0) {
    return Unwritable(path, "folder '" + folder.string() + "' is not writable (" + std::strerror(errno) + ")");
  }
  if (fs::exists(target.file, error) && access(target.file.c_str(), W_OK) != 0) {
    return Unwritable(path, std::strerror(errno));
  }
  // Drawings are written by the vector writer, which has no format to probe.
  if (NprIsVectorFileName(path)) {
    return {};
  }
  const NprUniqueGdiObject<HBITMAP> probe = TinyBitmap();
  const fs::path temporary = TemporaryPathFor(target.file, extension);
  const int reason = probe.get() != nullptr ? SaveImageFile(probe.get(), temporary) : ENOMEM;
  fs::remove(temporary, error);
  if (reason == ENOTSUP) {
    return Unwritable(path, "image format '" + extension + "' is not supported");
  }
  if (reason != 0) {
    return Unwritable(path, std::strerror(reason));
  }
  return {};
}

std::string WriteReplacing(const std::string& path, const std::function<std::string(const std::string&)>& save) {
  const Target target = ResolveTarget(path);
  if (!target.reason.empty()) {
    return Unwritable(path, target.reason);
  }
  const fs::path temporary = TemporaryPathFor(target.file, ExtensionOf(path));
  std::error_code error;
  if (const std::string reason = save(temporary.string()); !reason.empty()) {
    fs::remove(temporary, error);
    return "could not write '" + path + "': " + reason;
  }
  if (const int signal = StopSignalReceived(); signal != 0) {
    fs::remove(temporary, error);
    return "'" + path + "' was not written: " + StopReason(signal);
  }
  KeepPermissions(target.file, temporary);
  fs::rename(temporary, target.file, error);
  if (error) {
    const std::string reason = error.message();
    fs::remove(temporary, error);
    return "could not write '" + path + "': " + reason;
  }
  return {};
}

std::string WriteImage(HBITMAP bitmap, const std::string& path) {
  return WriteReplacing(path, [bitmap](const std::string& temporary) {
    const int reason = SaveImageFile(bitmap, temporary);
    return reason != 0 ? std::string(std::strerror(reason)) : std::string();
  });
}

}  // namespace npr_render
