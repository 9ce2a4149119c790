#include "cartoon_shader.h"

#include "cartoon_render_pass.h"
#include "cartoon_strings.h"
#include "cartoon_style_file.h"
#include "cartoon_vector_pass.h"
#include "default_picture.h"

#include <linvale/dib_pixels.h>

using linvale::cartoon::CartoonRenderPass;
using linvale::cartoon::CartoonString;
using linvale::cartoon::DrawCartoonVector;
using linvale::cartoon::kCartoonSection;
using linvale::cartoon::kDefaultPictureSize;
using linvale::cartoon::LoadCartoonString;
using linvale::cartoon::PaintDefaultPicture;
using linvale::cartoon::ReadCartoonSettings;
using linvale::cartoon::WriteCartoonSettings;

CartoonShader::CartoonShader(HINSTANCE module)
    : NprShader(module), mPages(module, "libcartoon-pages.so", 2, &mSettings) {}

CartoonShader::~CartoonShader() = default;

int CartoonShader::LoadSettings(const char* styleFile) {
  try {
    ReadCartoonSettings(styleFile, mSettings);
  } catch (...) {
    // Only memory can run out here; what was read so far stays.
  }
  return 1;
}

// Unlike loading, a failed save matters to the caller: the style the user
// made would be lost.
int CartoonShader::SaveSettings(const char* styleFile) {
  try {
    return WriteCartoonSettings(styleFile, mSettings) ? 1 : 0;
  } catch (...) {
    return 0;
  }
}

const char* CartoonShader::GetName(int) { return LoadCartoonString(CartoonString::Name); }

const char* CartoonShader::GetReserved(int) { return nullptr; }

HBITMAP CartoonShader::GetDefaultBitmap() {
  try {
    return NprCreateDib32(kDefaultPictureSize, kDefaultPictureSize, PaintDefaultPicture());
  } catch (...) {
    return nullptr;
  }
}

NprPageDialog* CartoonShader::GetDialog(unsigned index) {
  try {
    return mPages.Page(index, mMainDlg);
  } catch (...) {
    return nullptr;
  }
}

const char* CartoonShader::GetTag(int) { return kCartoonSection; }

HBITMAP CartoonShader::Render(const TS_Viewport& viewport, const NprRenderSettings& settings, Scene* scene,
                              NprRenderer::Progress* progress, HANDLE* fileHandle, HANDLE* mappingHandle) {
  CartoonRenderPass pass(mSettings, viewport, settings, scene, progress);
  return pass.Run(fileHandle, mappingHandle);
}

bool CartoonShader::DrawVector(const TS_Viewport& viewport, const NprRenderSettings& settings, Scene* scene,
                               NprVectorCanvas& canvas) {
  try {
    DrawCartoonVector(mSettings, viewport, settings, scene, canvas);
    return true;
  } catch (...) {
    return false;
  }
}

void CartoonShader::OnSetMainDlg() { mPages.SetMainDlg(mMainDlg); }
