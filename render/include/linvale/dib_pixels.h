// Device-independent bitmaps the way Linvale, its plug-ins and its hosts
// make and read them: uncompressed rows, the bottom row first.
#pragma once

#include <linvale/export.h>
#include <windows.h>

#include <cstdint>
#include <span>

// The header of a bottom-up, uncompressed bitmap of `width` by `height`
// pixels at `bitsPerPixel`; the header alone, with no colour table.
LINVALE_API BITMAPINFO NprDibHeader(LONG width, LONG height, WORD bitsPerPixel);

// A new 32-bit bottom-up section of `width` by `height` pixels holding
// `pixels` (blue in the low byte, bottom row first), owned by the caller.
// Null when the size is not positive, the pixels do not fill it exactly, or
// the section cannot be made.
LINVALE_API HBITMAP NprCreateDib32(LONG width, LONG height, std::span<const std::uint32_t> pixels);
