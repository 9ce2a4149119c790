#include "sketch_shader.h"

#include "default_picture.h"
#include "plugin_module.h"
#include "sketch_render_pass.h"
#include "sketch_strings.h"
#include "sketch_style_file.h"
#include "sketch_vector_pass.h"

#include <linvale/dib_pixels.h>

#include <cstdio>

using linvale::sketch::DrawDefaultPicture;
using linvale::sketch::DrawSketchVector;
using linvale::sketch::kDefaultPictureSize;
using linvale::sketch::kSketchSection;
using linvale::sketch::LoadSketchString;
using linvale::sketch::ReadSketchSection;
using linvale::sketch::ResolvePaperPath;
using linvale::sketch::SketchModuleFolder;
using linvale::sketch::SketchRenderPass;
using linvale::sketch::SketchSettings;
using linvale::sketch::SketchString;
using linvale::sketch::WriteSketchSection;

SketchShader::SketchShader(HINSTANCE module) : NprShader(module), mPages(module, "libsketch-pages.so", 4, &mSettings) {}

int SketchShader::LoadSettings(const char* styleFile) {
  if (styleFile == nullptr) {
    return 0;
  }
  try {
    ReadSketchSection(styleFile, mSettings);
    mStyleFile = styleFile;
  } catch (...) {
    // Only memory can run out here; what was read so far stays.
  }
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

SketchSettings SketchShader::RenderableSettings() const {
  SketchSettings renderable = mSettings;
  ClampToPageRanges(renderable);
  const std::string paper = ResolvePaperPath(mSettings.paper, mStyleFile.c_str());
  std::snprintf(renderable.paper, sizeof(renderable.paper), "%s", paper.c_str());
  return renderable;
}

NprPageDialog* SketchShader::GetDialog(unsigned index) {
  try {
    return mPages.Page(index, mMainDlg);
  } catch (...) {
    return nullptr;
  }
}

const char* SketchShader::GetTag(int) { return kSketchSection; }

HBITMAP SketchShader::Render(const TS_Viewport& viewport, const NprRenderSettings& settings, Scene* scene,
                             NprRenderer::Progress* progress, HANDLE* fileHandle, HANDLE* mappingHandle) {
  try {
    const SketchSettings renderable = RenderableSettings();
    SketchRenderPass pass(renderable, viewport, settings, scene, progress, SketchModuleFolder());
    return pass.Run(fileHandle, mappingHandle);
  } catch (...) {
    // Run catches everything itself; only setting the pass up can throw
    // (out of memory), and nothing may leave the plug-in.
    return nullptr;
  }
}

bool SketchShader::DrawVector(const TS_Viewport& viewport, const NprRenderSettings& settings, Scene* scene,
                              NprVectorCanvas& canvas) {
  try {
    DrawSketchVector(RenderableSettings(), viewport, settings, scene, canvas);
    return true;
  } catch (...) {
    return false;
  }
}

void SketchShader::OnSetMainDlg() { mPages.SetMainDlg(mMainDlg); }
