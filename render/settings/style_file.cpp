#include <linvale/npr_config_file.h>
#include <linvale/npr_host_application_services.h>
#include <linvale/npr_render_settings.h>
#include <linvale/npr_shader.h>

#include "library_folder.h"
#include "text_field.h"

#include <fstream>
#include <cstring>
#include <string>

namespace {

constexpr const char* kVersionSection = "Orvelle";
constexpr const char* kCommonSection = "Common";

COLORREF ColorFromBytes(unsigned red, unsigned green, unsigned blue) {
  return RGB(static_cast<BYTE>(red), static_cast<BYTE>(green), static_cast<BYTE>(blue));
}

// Reads the three bytes of a colour from keys named prefix + "R", "G", "B";
// returns the OR of the character counts read.
int ReadColor(const NprConfigFile& file, const char* prefix, unsigned fallback, COLORREF& color) {
  const std::string name = prefix;
  unsigned red = 0;
  unsigned green = 0;
  unsigned blue = 0;
  int counts = file.GetUInt(kCommonSection, (name + "R").c_str(), &red, fallback);
  counts |= file.GetUInt(kCommonSection, (name + "G").c_str(), &green, fallback);
  counts |= file.GetUInt(kCommonSection, (name + "B").c_str(), &blue, fallback);
  color = ColorFromBytes(red, green, blue);
  return counts;
}

// Collects write results: the OR of all of them, and whether any failed.
class WriteOutcome {
public:
  void Add(int result) {
    mResults |= result;
    mFailed = mFailed || result == 0;
  }
  int Result() const { return mFailed ? 0 : (mResults | 1); }

private:
  int mResults = 0;
  bool mFailed = false;
};

void WriteColor(const NprConfigFile& file, const char* prefix, COLORREF color, WriteOutcome& outcome) {
  const std::string name = prefix;
  outcome.Add(file.WriteInt(kCommonSection, (name + "R").c_str(), GetRValue(color)));
  outcome.Add(file.WriteInt(kCommonSection, (name + "G").c_str(), GetGValue(color)));
  outcome.Add(file.WriteInt(kCommonSection, (name + "B").c_str(), GetBValue(color)));
}

// Lets `shader` (may be null) read or write its own section, holding a
// reference for the length of the call.
template <typename Action>
void WithShader(NprShader* shader, Action action) {
  if (shader != nullptr && shader->AddRef() != 0) {
    action(*shader);
    shader->Release();
  }
}

bool FitsTextField(const char* text) {
  return strnlen(text, NprRenderSettings::TextCapacity) < NprRenderSettings::TextCapacity;
}

bool CanReadFile(const char* path) { return std::ifstream(path).is_open(); }

}  // namespace

int NprRenderSettings::Load(const char* path, bool byTag) {
  // A path longer than a file name field can hold cannot be the style asked
  // for; reading it cut short would load another file's values.
  if (path == nullptr || !FitsTextField(path)) {
    return 0;
  }
  try {
    const NprConfigFile file(path);
    unsigned version = 0;
    if (file.GetUInt(kVersionSection, "Version", &version, 1) == 0) {
      return 0;
    }
    int result = 0;
    if (version == 1) {
      result = LoadV1(file);
    } else if (version == 2) {
      result = LoadV2(file);
    }
    if (result == 0) {
      return 0;
    }
    NprShader* shader = byTag ? NprShader::GetByTag(mShaderTag) : NprShader::GetByName(mShaderName);
    WithShader(shader, [&](NprShader& found) { found.LoadSettings(file.GetFileName()); });
    return result;
  } catch (...) {
    return 0;
  }
}

int NprRenderSettings::LoadV1(const NprConfigFile& file) {
  char text[NprConfigFile::BufferSize];
  int counts = file.GetString(kCommonSection, "Current Render", text, "");
  linvale::settings::CopyToField(mShaderTag, text);
  counts |= ReadColor(file, "AmbientLight", 128, mAmbientLightColor);
  counts |= ReadColor(file, "Background", 0, mBackgroundColor);
  counts |= file.GetString(kCommonSection, "WallPaper", text, "");
  linvale::settings::CopyToField(mBackgroundFileName, text);
  counts |= file.GetString(kCommonSection, "OverwriteTarvikSettings", text, "1");
  mUseHostSettings = text[0] == '0' ? 0 : 1;
  counts |= file.GetString(kCommonSection, "Style", text, "");
  linvale::settings::CopyToField(mStyle, text);
  return counts | 1;
}

int NprRenderSettings::LoadV2(const NprConfigFile& /*file*/) { return 0; }

int NprRenderSettings::Load() {
  try {
    char path[TextCapacity] = "";
    const NprHostApplicationServices* host = NprHostApplicationServices::getDefaultHost();
    const bool haveDefault = host != nullptr && host->GetDefaultStyleFilePath(path, TextCapacity) != 0;
    if (!haveDefault || !CanReadFile(path)) {
      const std::string shipped = linvale::settings::LibraryFolder() + "/Custom.npr";
      linvale::settings::CopyToField(path, shipped.c_str());
    }
    return Load(path, true);
  } catch (...) {
    return 0;
  }
}

int NprRenderSettings::Save() const {
  try {
    const NprConfigFile file(mConfigFileName);
    WriteOutcome outcome;
    outcome.Add(file.WriteString(kCommonSection, "Current Render", mShaderTag));
    WriteColor(file, "AmbientLight", mAmbientLightColor, outcome);
    WriteColor(file, "Background", mBackgroundColor, outcome);
    outcome.Add(file.WriteString(kCommonSection, "WallPaper", mBackgroundFileName));
    outcome.Add(file.WriteString(kCommonSection, "OverwriteTarvikSettings", mUseHostSettings != 0 ? "1" : "0"));
    WithShader(NprShader::GetByTag(mShaderTag), [&](NprShader& shader) { shader.SaveSettings(mConfigFileName); });
    outcome.Add(file.WriteString(kCommonSection, "Style", mStyle));
    return outcome.Result();
  } catch (...) {
    return 0;
  }
}

int NprRenderSettings::SaveAs(const char* path) {
  if (path == nullptr || !FitsTextField(path)) {
    return 0;
  }
  char remembered[TextCapacity];
  linvale::settings::CopyToField(remembered, mConfigFileName);
  SetConfigFileName(path);
  const int result = Save();
  linvale::settings::CopyToField(mConfigFileName, remembered);
  return result;
}
