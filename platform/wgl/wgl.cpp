// The WGL entry points: contexts by handle, and which one each thread has
// current.
#include "gdi/gdi_objects.h"
#include "handles/handle_table.h"
#include "wgl/gl_context.h"
#include "wgl/pixel_formats.h"

#include <win32/wgl.h>

#include <mutex>

namespace {

using linvale::platform::Bitmap;
using linvale::platform::GdiObjects;
using linvale::platform::GlContext;

// Held by every entry point that touches a context; taken before the GDI
// lock, never after it.
struct Contexts {
  std::mutex mutex;
  linvale::platform::HandleTable<GlContext> table{0x30000000};
};

Contexts& AllContexts() {
  static Contexts contexts;
  return contexts;
}

thread_local HGLRC currentContext = nullptr;

// Writes the picture of this thread's context into its bitmap and leaves
// no context current.
void ReleaseCurrent(Contexts& contexts) {
  if (const auto context = contexts.table.Find(currentContext)) {
    context->Unbind();
  }
  currentContext = nullptr;
}

// The target of a context on `hdc`: the bitmap selected in that memory
// context, provided the context's pixel format is `format`.
std::shared_ptr<Bitmap> DrawingTarget(HDC hdc, int format, HBITMAP& handle) {
  auto& objects = GdiObjects::Instance();
  const auto lock = objects.Lock();
  const auto context = objects.Contexts().FindOrFail(hdc);
  if (!context) {
    return nullptr;
  }
  if (context->pixelFormat == 0 || context->pixelFormat != format) {
    SetLastError(ERROR_INVALID_PIXEL_FORMAT);
    return nullptr;
  }
  if (!context->isMemory) {
    SetLastError(ERROR_NOT_SUPPORTED);
    return nullptr;
  }
  handle = context->selected;
  return objects.Bitmaps().Find(handle);
}

int PixelFormatOf(HDC hdc) {
  auto& objects = GdiObjects::Instance();
  const auto lock = objects.Lock();
  const auto context = objects.Contexts().Find(hdc);
  return context ? context->pixelFormat : 0;
}

}  // namespace

HGLRC wglCreateContext(HDC hdc) {
  const int format = PixelFormatOf(hdc);
  HBITMAP handle = nullptr;
  const auto target = DrawingTarget(hdc, format, handle);
  if (!target) {
    return nullptr;
  }
  const auto& pixelFormat = linvale::platform::OfferedPixelFormats()[static_cast<std::size_t>(format - 1)];
  const auto& display = *linvale::platform::DisplayFor(pixelFormat.renderer);
  if (!linvale::platform::FitsLimits(display, *target)) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  auto context = GlContext::Create(display, pixelFormat, format);
  if (!context) {
    return nullptr;
  }
  auto& contexts = AllContexts();
  std::lock_guard lock(contexts.mutex);
  return contexts.table.Add<HGLRC>(std::move(context));
}

BOOL wglMakeCurrent(HDC hdc, HGLRC handle) {
  auto& contexts = AllContexts();
  std::lock_guard lock(contexts.mutex);
  const auto context = contexts.table.Find(handle);
  if (context && handle == currentContext) {
    // Nothing to write back when the target stays the same.
    auto& objects = GdiObjects::Instance();
    const auto gdiLock = objects.Lock();
    const auto dc = objects.Contexts().Find(hdc);
    if (dc && context->IsBoundTo(hdc, dc->selected)) {
      return TRUE;
    }
  }
  ReleaseCurrent(contexts);
  if (handle == nullptr) {
    return TRUE;
  }
  if (!context) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (context->Owner()) {
    SetLastError(ERROR_BUSY);
    return FALSE;
  }
  HBITMAP bitmapHandle = nullptr;
  auto target = DrawingTarget(hdc, context->FormatIndex(), bitmapHandle);
  if (!target || !context->Bind(hdc, bitmapHandle, std::move(target))) {
    return FALSE;
  }
  currentContext = handle;
  return TRUE;
}

BOOL wglDeleteContext(HGLRC handle) {
  auto& contexts = AllContexts();
  std::lock_guard lock(contexts.mutex);
  const auto context = contexts.table.FindOrFail(handle);
  if (!context) {
    return FALSE;
  }
  if (handle == currentContext) {
    ReleaseCurrent(contexts);
  } else if (context->Owner()) {
    SetLastError(ERROR_BUSY);
    return FALSE;
  }
  contexts.table.Remove(handle);
  return TRUE;
}

HGLRC wglGetCurrentContext() { return currentContext; }

HDC wglGetCurrentDC() {
  auto& contexts = AllContexts();
  std::lock_guard lock(contexts.mutex);
  const auto context = contexts.table.Find(currentContext);
  return context ? context->BoundDC() : nullptr;
}
