// Device-independent bitmaps of the renderer as Qt images.
#pragma once

#include <QImage>

#include <windows.h>

namespace linvale::ui {

// A copy of `bitmap`'s pixels, top row first; a null image when the bitmap
// cannot be read.
QImage ImageFromBitmap(HBITMAP bitmap);

}  // namespace linvale::ui
