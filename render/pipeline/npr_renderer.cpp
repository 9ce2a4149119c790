#include <linvale/npr_renderer.h>

#include <linvale/npr_shader.h>

#include <cstring>
#include <string>

#include "image_resampling.h"

namespace {

// Any function of this library leads the loader to the library's file.
void LocateLibrary() {}

// The folder of the library file, without a trailing separator; empty when
// the loader cannot tell.
void LibraryFolder(char (&folder)[MAX_PATH]) {
  folder[0] = '\0';
  HMODULE library = nullptr;
  if (!GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                          reinterpret_cast<LPCSTR>(&LocateLibrary), &library)) {
    return;
  }
  char path[MAX_PATH];
  const DWORD length = GetModuleFileNameA(library, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) {
    return;
  }
  if (char* separator = std::strrchr(path, '/')) {
    *separator = '\0';
    std::memcpy(folder, path, static_cast<std::size_t>(separator - path) + 1);
  }
}

void CloseSlot(HANDLE& slot) {
  if (slot != nullptr) {
    CloseHandle(slot);
    slot = nullptr;
  }
}

}  // namespace

NprRenderer::NprRenderer() : mHasDefaultViewport(false), mFileHandle(nullptr), mMappingHandle(nullptr) {
  LibraryFolder(mBasePath);
}

NprRenderer::~NprRenderer() {
  OnUnLoad();
  CloseHandleSlots();
}

int NprRenderer::OnLoad() {
  try {
    const std::string shaders = std::string(mBasePath) + "/Shaders";
    return static_cast<int>(NprShader::LoadFolder(shaders.c_str(), mDefaultLight, mDefaultViewport, mHasDefaultViewport));
  } catch (const std::exception&) {
    return 0;
  }
}

void NprRenderer::OnUnLoad() { NprShader::UnLoadAll(); }

const char* NprRenderer::BasePath() const { return mBasePath; }

void NprRenderer::setDefaultLight(TS_Light light) { mDefaultLight = light; }

void NprRenderer::setDefaultViewport(TS_Viewport viewport) {
  mDefaultViewport = viewport;
  mHasDefaultViewport = true;
}

int NprRenderer::ShowOptions(HWND /*parent*/, int /*mode*/) {
  // The settings dialog is not part of this build yet; 0 is "no dialog ran".
  return 0;
}

void NprRenderer::CloseHandleSlots() {
  CloseSlot(mFileHandle);
  CloseSlot(mMappingHandle);
}

HBITMAP NprRenderer::StretchImageBilinear(HDC hdc, HBITMAP source, SIZE size) {
  return linvale::StretchImageBilinear(hdc, source, size, &mFileHandle, &mMappingHandle);
}

HBITMAP NprRenderer::StretchImageGDI(HDC hdc, HBITMAP source, SIZE size) {
  return linvale::StretchImageGDI(hdc, source, size);
}

HBITMAP NprRenderer::StretchImageDevIL(HDC hdc, HBITMAP source, SIZE size) {
  return linvale::StretchImageDevIL(hdc, source, size);
}

void NprRenderer::BlurImage(HDC hdc, HBITMAP bitmap, unsigned char threshold) {
  linvale::BlurImage(hdc, bitmap, threshold);
}
