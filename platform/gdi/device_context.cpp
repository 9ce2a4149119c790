// Screen and memory device contexts and the selection of bitmaps.
#include "gdi/gdi_objects.h"

#include <win32/gdi.h>

namespace {

using linvale::platform::DeviceContext;
using linvale::platform::GdiObjects;

// Every device here, the screen included, has 32 bits per pixel.
constexpr int deviceBitsPerPixel = 32;

HDC AddContext(GdiObjects& objects, bool isMemory) {
  auto context = std::make_shared<DeviceContext>();
  context->isMemory = isMemory;
  if (isMemory) {
    context->selected = objects.StockBitmap();
  }
  return objects.Contexts().Add<HDC>(std::move(context));
}

}  // namespace

HDC GetDC(HWND window) {
  if (window != nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  auto& objects = GdiObjects::Instance();
  const auto lock = objects.Lock();
  return AddContext(objects, false);
}

int ReleaseDC(HWND, HDC hdc) {
  auto& objects = GdiObjects::Instance();
  const auto lock = objects.Lock();
  const auto context = objects.Contexts().Find(hdc);
  if (!context || context->isMemory) {
    SetLastError(ERROR_INVALID_HANDLE);
    return 0;
  }
  objects.Contexts().Remove(hdc);
  return 1;
}

HDC CreateCompatibleDC(HDC hdc) {
  auto& objects = GdiObjects::Instance();
  const auto lock = objects.Lock();
  if (hdc != nullptr && !objects.Contexts().FindOrFail(hdc)) {
    return nullptr;
  }
  return AddContext(objects, true);
}

BOOL DeleteDC(HDC hdc) {
  auto& objects = GdiObjects::Instance();
  const auto lock = objects.Lock();
  const auto context = objects.Contexts().RemoveOrFail(hdc);
  if (!context) {
    return FALSE;
  }
  if (const auto bitmap = objects.Bitmaps().Find(context->selected); bitmap && !bitmap->isStock) {
    bitmap->selectedInto = nullptr;
  }
  return TRUE;
}

int GetDeviceCaps(HDC hdc, int index) {
  auto& objects = GdiObjects::Instance();
  const auto lock = objects.Lock();
  if (!objects.Contexts().FindOrFail(hdc)) {
    return 0;
  }
  switch (index) {
    case BITSPIXEL: return deviceBitsPerPixel;
    case PLANES: return 1;
    default: return 0;
  }
}

HGDIOBJ SelectObject(HDC hdc, HGDIOBJ object) {
  auto& objects = GdiObjects::Instance();
  const auto lock = objects.Lock();
  const auto context = objects.Contexts().FindOrFail(hdc);
  const auto bitmap = objects.Bitmaps().FindOrFail(object);
  if (!context || !bitmap) {
    return nullptr;
  }
  if (!context->isMemory) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  if (bitmap->selectedInto != nullptr && bitmap->selectedInto != hdc) {
    SetLastError(ERROR_BUSY);
    return nullptr;
  }
  const HGDIOBJ previous = context->selected;
  if (const auto replaced = objects.Bitmaps().Find(previous); replaced && !replaced->isStock) {
    replaced->selectedInto = nullptr;
  }
  if (!bitmap->isStock) {
    bitmap->selectedInto = hdc;
  }
  context->selected = object;
  return previous;
}
