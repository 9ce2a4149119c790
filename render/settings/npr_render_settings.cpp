#include <linvale/npr_host_application_services.h>
#include <linvale/npr_render_settings.h>

#include "text_field.h"

using linvale::settings::CopyToField;

NprRenderSettings::NprRenderSettings()
    : mUseHostSettings(1),
      mConfigFileName(),
      mShaderName(),
      mShaderTag(),
      mUseViewportSize(0),
      mImageSize{1, 1},
      mImageDPI(72),
      mAntialiasStyle(AntialiasNormal),
      mBackgroundStyle(BackgroundDefault),
      mBackgroundColor(RGB(0, 0, 0)),
      mBackgroundFileName(),
      mAmbientLightColor(RGB(128, 128, 128)),
      mStyle() {
  // Records are made before a host is installed too (statics, tests); they
  // then simply have no config file.
  const NprHostApplicationServices* host = NprHostApplicationServices::getDefaultHost();
  if (host == nullptr || host->GetDefaultStyleFilePath(mConfigFileName, TextCapacity) == 0) {
    mConfigFileName[0] = '\0';
  }
}

int NprRenderSettings::GetUseHostSettings() const { return mUseHostSettings; }
void NprRenderSettings::SetUseHostSettings(int use) { mUseHostSettings = use; }

const char* NprRenderSettings::GetConfigFileName() const { return mConfigFileName; }
int NprRenderSettings::SetConfigFileName(const char* path) {
  CopyToField(mConfigFileName, path);
  return 1;
}

const char* NprRenderSettings::GetShaderName() const { return mShaderName; }
void NprRenderSettings::SetShaderName(const char* name) { CopyToField(mShaderName, name); }

const char* NprRenderSettings::GetShaderTag() const { return mShaderTag; }
void NprRenderSettings::SetShaderTag(const char* tag) { CopyToField(mShaderTag, tag); }

int NprRenderSettings::GetUseViewportSize() const { return mUseViewportSize; }
void NprRenderSettings::SetUseViewportSize(int use) { mUseViewportSize = use; }

SIZE NprRenderSettings::GetImageSize() const { return mImageSize; }
void NprRenderSettings::SetImageSize(const SIZE* size) {
  if (size != nullptr) {
    mImageSize = *size;
  }
}

unsigned long NprRenderSettings::GetImageDPI() const { return mImageDPI; }
void NprRenderSettings::SetImageDPI(unsigned long dpi) { mImageDPI = static_cast<std::uint32_t>(dpi); }

NprRenderSettings::AntialiasStyle NprRenderSettings::GetAntialiasStyle() const { return mAntialiasStyle; }
void NprRenderSettings::SetAntialiasStyle(AntialiasStyle style) { mAntialiasStyle = style; }

NprRenderSettings::BackgroundStyle NprRenderSettings::GetBackgroundStyle() const { return mBackgroundStyle; }
void NprRenderSettings::SetBackgroundStyle(BackgroundStyle style) { mBackgroundStyle = style; }

unsigned long NprRenderSettings::GetBackgroundColor() const { return mBackgroundColor; }
void NprRenderSettings::SetBackgroundColor(unsigned long color) { mBackgroundColor = static_cast<COLORREF>(color); }

const char* NprRenderSettings::GetBackgroundFileName() const { return mBackgroundFileName; }
void NprRenderSettings::SetBackgroundFileName(const char* path) { CopyToField(mBackgroundFileName, path); }

unsigned long NprRenderSettings::GetAmbientLightColor() const { return mAmbientLightColor; }
void NprRenderSettings::SetAmbientLightColor(unsigned long color) { mAmbientLightColor = static_cast<COLORREF>(color); }

const char* NprRenderSettings::GetStyle() const { return mStyle; }
void NprRenderSettings::SetStyle(const char* style) { CopyToField(mStyle, style); }
