// The GDI objects behind context and bitmap handles, and the one registry
// that owns them. Whoever touches an object holds the registry's lock.
#pragma once

#include "handles/handle_table.h"
#include "memory/mapped_region.h"

#include <win32/gdi.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>

namespace linvale::platform {

// Bytes per row of a device-independent bitmap: rows are padded to 4 bytes.
std::size_t DibStride(LONG width, WORD bitsPerPixel);

// Every bitmap keeps its pixels the way a device-independent bitmap does:
// blue, green, red (and a fourth byte at 32 bits), rows padded to 4 bytes,
// the bottom row first unless the section was made top down.
struct Bitmap {
  LONG width = 0;
  LONG height = 0;
  WORD bitsPerPixel = 32;
  bool topDown = false;
  bool isStock = false;
  bool isSection = false;
  HANDLE section = nullptr;
  DWORD sectionOffset = 0;
  MappedRegion pixels;
  // The memory context it is selected into; stock bitmaps are never marked.
  HDC selectedInto = nullptr;
  // Counts writes to the pixels by GDI calls and rendering contexts, so a
  // context can tell whether the picture it last wrote back is still there.
  // A section's pixels can also change through its bits pointer, which no
  // count can see.
  std::uint64_t generation = 0;

  std::size_t Stride() const { return DibStride(width, bitsPerPixel); }
  // Row `row` of the picture counted from the bottom.
  std::byte* Row(LONG row) const;
  void MarkWritten() { ++generation; }
};

// A new bitmap with zeroed pixels in memory of its own, or null (errno set)
// when the memory cannot be had.
std::shared_ptr<Bitmap> MakeBitmap(LONG width, LONG height, WORD bitsPerPixel);

struct DeviceContext {
  bool isMemory = false;
  // Memory contexts always have a bitmap selected: the stock one at first.
  HBITMAP selected = nullptr;
  int stretchMode = BLACKONWHITE;
  int pixelFormat = 0;
};

class GdiObjects {
public:
  static GdiObjects& Instance();

  [[nodiscard]] std::unique_lock<std::mutex> Lock() { return std::unique_lock(mMutex); }

  HandleTable<DeviceContext>& Contexts() { return mContexts; }
  HandleTable<Bitmap>& Bitmaps() { return mBitmaps; }
  HBITMAP StockBitmap() const { return mStockBitmap; }
  // Live objects the process created, stock objects not counted.
  std::size_t CreatedCount() const { return mContexts.Count() + mBitmaps.Count() - 1; }

  // The bitmap selected in a memory context, or null for an unknown handle
  // or a screen context.
  std::shared_ptr<Bitmap> SelectedBitmap(HDC hdc) const;

private:
  GdiObjects();

  std::mutex mMutex;
  HandleTable<DeviceContext> mContexts{0x10000000};
  HandleTable<Bitmap> mBitmaps{0x20000000};
  HBITMAP mStockBitmap = nullptr;
};

}  // namespace linvale::platform
