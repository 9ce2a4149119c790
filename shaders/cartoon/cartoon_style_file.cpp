// Keys are read and written in alphabetical order, colour components
// together, so files written by every version of the shader look alike.
#include "cartoon_style_file.h"

#include <linvale/npr_style_numbers.h>
#include <windows.h>

#include <array>
#include <string>

namespace linvale::cartoon {

namespace {

// One key's text; wide enough for any number the section holds.
using KeyText = std::array<char, 255>;

class SectionReader {
public:
  explicit SectionReader(const char* styleFile) : mFile(styleFile) {}

  // False when the key is missing (nothing copied).
  bool Read(const char* key, const char* defaultText, KeyText& text) const {
    return GetPrivateProfileStringA(kCartoonSection, key, defaultText, text.data(), static_cast<DWORD>(text.size()),
                                    mFile) > 0;
  }

  void Color(const std::string& prefix, TS_Color& color) const {
    std::array<int, 3> components{};
    const char* suffixes[] = {"R", "G", "B"};
    for (std::size_t i = 0; i < components.size(); ++i) {
      KeyText text{};
      Read((prefix + suffixes[i]).c_str(), "0", text);
      components[i] = NprParseStyleInt(text.data());
    }
    color.SetRGB(components[0], components[1], components[2]);
  }

  void Int(const char* key, std::int32_t& value) const {
    KeyText text{};
    if (Read(key, "", text)) {
      value = NprParseStyleInt(text.data());
    }
  }

  void Double(const char* key, double& value) const {
    KeyText text{};
    if (Read(key, "", text)) {
      value = NprParseStyleDouble(text.data());
    }
  }

private:
  const char* mFile;
};

class SectionWriter {
public:
  explicit SectionWriter(const char* styleFile) : mFile(styleFile) {}

  void Text(const char* key, const NprStyleNumberText& text) {
    if (WritePrivateProfileStringA(kCartoonSection, key, text.c_str(), mFile) == 0) {
      mAllWritten = false;
    }
  }
  void Color(const std::string& prefix, TS_Color color) {
    Text((prefix + "R").c_str(), NprFormatStyleInt(color.Red()));
    Text((prefix + "G").c_str(), NprFormatStyleInt(color.Green()));
    Text((prefix + "B").c_str(), NprFormatStyleInt(color.Blue()));
  }
  void Int(const char* key, std::int32_t value) { Text(key, NprFormatStyleInt(value)); }
  void Double(const char* key, double value) { Text(key, NprFormatStyleDouble(value)); }

  bool AllWritten() const { return mAllWritten; }

private:
  const char* mFile;
  bool mAllWritten = true;
};

}  // namespace

void ReadCartoonSettings(const char* styleFile, CartoonSettings& settings) {
  if (styleFile == nullptr) {
    // As for any file that cannot be read: only the colours change.
    settings.disColor = settings.endColor = settings.silColor = TS_Color();
    return;
  }
  const SectionReader read(styleFile);
  read.Color("disColor", settings.disColor);
  read.Int("disEdges", settings.disEdges);
  read.Color("endColor", settings.endColor);
  read.Int("endEdges", settings.endEdges);
  read.Int("shadow", settings.shadow);
  read.Color("silColor", settings.silColor);
  read.Int("silEdges", settings.silEdges);
  read.Int("specular", settings.specular);
  read.Double("thresholdDegree", settings.thresholdDegree);
  read.Double("varDiffuse", settings.varDiffuse);
  read.Double("varDisColor", settings.varDisColor);
  read.Double("varEndColor", settings.varEndColor);
  read.Double("varShadow", settings.varShadow);
  read.Double("varSilColor", settings.varSilColor);
  read.Double("varSpecular", settings.varSpecular);
  read.Int("widthDis", settings.widthDis);
  read.Int("widthEnd", settings.widthEnd);
  read.Int("widthSil", settings.widthSil);
}

bool WriteCartoonSettings(const char* styleFile, const CartoonSettings& settings) {
  if (styleFile == nullptr) {
    return false;
  }
  SectionWriter write(styleFile);
  write.Color("disColor", settings.disColor);
  write.Int("disEdges", settings.disEdges);
  write.Color("endColor", settings.endColor);
  write.Int("endEdges", settings.endEdges);
  write.Int("shadow", settings.shadow);
  write.Color("silColor", settings.silColor);
  write.Int("silEdges", settings.silEdges);
  write.Int("specular", settings.specular);
  write.Double("thresholdDegree", settings.thresholdDegree);
  write.Double("varDiffuse", settings.varDiffuse);
  write.Double("varDisColor", settings.varDisColor);
  write.Double("varEndColor", settings.varEndColor);
  write.Double("varShadow", settings.varShadow);
  write.Double("varSilColor", settings.varSilColor);
  write.Double("varSpecular", settings.varSpecular);
  write.Int("widthDis", settings.widthDis);
  write.Int("widthEnd", settings.widthEnd);
  write.Int("widthSil", settings.widthSil);
  return write.AllWritten();
}

}  // namespace linvale::cartoon
