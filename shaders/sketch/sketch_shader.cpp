#include "sketch_shader.h"

#include "default_picture.h"
#include "plugin_module.h"
#include "sketch_render_pass.h"
#include "sketch_strings.h"
#include "sketch_style_file.h"

#include <linvale/dib_pixels.h>

SketchShader::SketchShader(HINSTANCE module) : NprShader(module) {}

int SketchShader::LoadSettings(const char* styleFile) {
  if (styleFile == nullptr) {
    return 0;
  }
  try {
    ReadSketchSection(styleFile, mSettings);
  } catch (...) {
    // Only memory can run out here; what was read so far stays, and is
    // brought into range like the rest.
  }
  ClampToPageRanges(mSettings);
  return 1;
}

int SketchShader::SaveSettings(const char* styleFile) {
  try {
    return styleFile != nullptr && WriteSketchSection(styleFile, mSettings) ? 1 : 0;
  } catch (...) {
    return 0;
  }
}

const char* SketchShader::GetName(int) { return LoadSketchString(SketchString::ShaderName); }

const char* SketchShader::GetReserved(int) { return nullptr; }

HBITMAP SketchShader::GetDefaultBitmap() {
  try {
    return NprCreateDib32(kDefaultPictureSize, kDefaultPictureSize, DrawDefaultPicture());
  } catch (...) {
    // Only memory for the pixels can run out, and nothing may leave the
    // plug-in.
    return nullptr;
  }
}

NprPageDialog* SketchShader::GetDialog(unsigned) { return nullptr; }

const char* SketchShader::GetTag(int) { return kSketchSection; }

HBITMAP SketchShader::Render(const TS_Viewport& viewport, const NprRenderSettings& settings, Scene* scene,
                             NprRenderer::Progress* progress, HANDLE* fileHandle, HANDLE* mappingHandle) {
  try {
    SketchRenderPass pass(mSettings, viewport, settings, scene, progress, SketchModuleFolder());
    return pass.Run(fileHandle, mappingHandle);
  } catch (...) {
    // Run catches everything itself; only setting the pass up can throw
    // (out of memory), and nothing may leave the plug-in.
    return nullptr;
  }
}

void SketchShader::OnSetMainDlg() {}
