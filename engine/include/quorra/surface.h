// A rendered picture as the host receives it. A Surface pointer is the
// picture's bitmap handle itself: no object is ever allocated, and every
// member works on the handle. Deleting a surface deletes its bitmap.
#pragma once

#include <quorra/export.h>

#include <windows.h>

#include <cstddef>
#include <cstdint>

namespace Npr::Gs {

struct Size {
  std::int32_t width = 0;
  std::int32_t height = 0;

  friend bool operator==(const Size&, const Size&) = default;
};

class QUORRA_API Surface {
public:
  static Surface* fromBitmap(HBITMAP bitmap) { return reinterpret_cast<Surface*>(bitmap); }
  HBITMAP bitmap() const { return reinterpret_cast<HBITMAP>(const_cast<Surface*>(this)); }

  // Deletes the bitmap.
  ~Surface();
  static void operator delete(void*) noexcept {}

  // The bitmap's width and height; (0, 0) when it cannot be read, a null
  // surface included.
  Size size() const;
  // A new picture of `size` holding this one stretched with HALFTONE
  // averaging; the caller owns it. Null when this cannot be read or no
  // device context can be made.
  Surface* cloneScaled(Size size) const;
  // Puts a copy of the picture on the clipboard of the running Qt GUI
  // application; false without one, for a null surface or when the picture
  // cannot be read. The surface stays with the caller.
  bool copyToClipboard() const;

  Surface(const Surface&) = delete;
  Surface& operator=(const Surface&) = delete;

protected:
  Surface() = default;
  static void* operator new(std::size_t) noexcept { return nullptr; }
};

}  // namespace Npr::Gs
