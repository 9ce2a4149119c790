#include <linvale/npr_renderer.h>

#include <linvale/npr_shader.h>
#include <linvale/npr_shader_plugin.h>
#include <linvale/npr_win32_owners.h>

#include <cstring>
#include <string>

#include "../host/ui_entry_points.h"
#include "../host/ui_module.h"
#include "image_resampling.h"

namespace {

// Any function of this library leads the loader to the library's file.
void LocateLibrary() {}

// The folder of the library file, without a trailing separator; empty when
// the loader cannot tell.
void LibraryFolder(char (&folder)[MAX_PATH]) {
  const std::string path = NprModuleFolder(NprModuleAt(reinterpret_cast<const void*>(&LocateLibrary)));
  const std::size_t length = path.size() < MAX_PATH ? path.size() : 0;
  std::memcpy(folder, path.c_str(), length);
  folder[length] = '\0';
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
    return static_cast<int>(
        NprShader::LoadFolder(shaders.c_str(), mDefaultLight, mDefaultViewport, mHasDefaultViewport));
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

int NprRenderer::ShowOptions(HWND parent, int mode) {
  try {
    if (OnLoad() == 0) {
      return 0;
    }
    // The dialog is Qt; its library is loaded here and not at start-up, so
    // hosts that only render never load Qt.
    const auto show = linvale::host::UiEntry<NprUiShowOptionsEntry>(linvale::host::kUiShowOptions);
    return show == nullptr ? 0 : show(this, parent, mode);
  } catch (...) {
    return 0;
  }
}

void NprRenderer::CloseHandleSlots() {
  NprCloseHandleSlot(&mFileHandle);
  NprCloseHandleSlot(&mMappingHandle);
}

HBITMAP NprRenderer::StretchImageBilinear(HDC hdc, HBITMAP source, SIZE size) {
  return linvale::pipeline::StretchImageBilinear(hdc, source, size, &mFileHandle, &mMappingHandle);
}

HBITMAP NprRenderer::StretchImageGDI(HDC hdc, HBITMAP source, SIZE size) {
  return linvale::pipeline::StretchImageGDI(hdc, source, size);
}

HBITMAP NprRenderer::StretchImageDevIL(HDC hdc, HBITMAP source, SIZE size) {
  return linvale::pipeline::StretchImageDevIL(hdc, source, size);
}

void NprRenderer::BlurImage(HDC hdc, HBITMAP bitmap, unsigned char threshold) {
  linvale::pipeline::BlurImage(hdc, bitmap, threshold);
}
