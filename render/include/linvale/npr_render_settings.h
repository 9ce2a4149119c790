// The parameters of one render besides scene and camera: shader, output size
// and resolution, antialiasing, ambient light and background, and the style
// they come from. A plain value: fixed-size fields only, copied freely.
#pragma once

#include <linvale/export.h>
#include <windows.h>

#include <cstdint>

class NprConfigFile;

class LINVALE_API NprRenderSettings {
public:
  enum AntialiasStyle : std::int32_t {
    AntialiasNone = 0,    // rendered at the output size
    AntialiasNormal = 1,  // the shader smooths its own drawing
    AntialiasBest = 2,    // rendered at twice the size and reduced
  };

  // Only 0 has a meaning of its own; shaders count any other value as one
  // more drawing step.
  enum BackgroundStyle : std::int32_t {
    BackgroundDefault = 0,
  };

  // Capacity of every text field, terminating NUL included; setters keep at
  // most TextCapacity - 1 characters.
  static constexpr unsigned long TextCapacity = 260;

  // Defaults; the config file name is the default host's default style file
  // path, or empty when no host is installed or it gives none.
  NprRenderSettings();

  int GetUseHostSettings() const;
  void SetUseHostSettings(int use);
  const char* GetConfigFileName() const;
  int SetConfigFileName(const char* path);
  const char* GetShaderName() const;
  void SetShaderName(const char* name);
  const char* GetShaderTag() const;
  void SetShaderTag(const char* tag);
  int GetUseViewportSize() const;
  void SetUseViewportSize(int use);
  SIZE GetImageSize() const;
  void SetImageSize(const SIZE* size);
  unsigned long GetImageDPI() const;
  void SetImageDPI(unsigned long dpi);
  AntialiasStyle GetAntialiasStyle() const;
  void SetAntialiasStyle(AntialiasStyle style);
  BackgroundStyle GetBackgroundStyle() const;
  void SetBackgroundStyle(BackgroundStyle style);
  unsigned long GetBackgroundColor() const;
  void SetBackgroundColor(unsigned long color);
  const char* GetBackgroundFileName() const;
  void SetBackgroundFileName(const char* path);
  unsigned long GetAmbientLightColor() const;
  void SetAmbientLightColor(unsigned long color);
  const char* GetStyle() const;
  void SetStyle(const char* style);

  // Reads the style file `path` into this record and lets the style's shader
  // (found by tag, or by the record's shader name) read its own section.
  // Nonzero on success; a missing file loads the defaults, a path of
  // TextCapacity characters or more fails. The config file name is left as
  // it was.
  int Load(const char* path, bool byTag);
  // Loads the default style file, or "Custom.npr" beside the library when
  // that cannot be read, selecting the shader by tag.
  int Load();
  // Writes this record and its shader's section to the config file name.
  // Nonzero on success, 0 when the file could not be written.
  int Save() const;
  // Saves to `path` without changing the config file name; 0 also for a
  // path of TextCapacity characters or more.
  int SaveAs(const char* path);

protected:
  int LoadV1(const NprConfigFile& file);
  int LoadV2(const NprConfigFile& file);

private:
  std::int32_t mUseHostSettings;
  char mConfigFileName[TextCapacity];
  char mShaderName[TextCapacity];
  char mShaderTag[TextCapacity];
  std::int32_t mUseViewportSize;
  SIZE mImageSize;
  std::uint32_t mImageDPI;
  AntialiasStyle mAntialiasStyle;
  BackgroundStyle mBackgroundStyle;
  COLORREF mBackgroundColor;
  char mBackgroundFileName[TextCapacity];
  COLORREF mAmbientLightColor;
  char mStyle[TextCapacity];
};
