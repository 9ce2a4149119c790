#include "sketch_style_file.h"

#include <linvale/npr_style_numbers.h>
#include <win32/profile.h>

#include <array>
#include <cstdio>
#include <string>
#include <string_view>
#include <variant>

namespace {

// Values are read into a buffer of this many characters, terminator included.
constexpr DWORD kValueBuffer = 255;

enum class Channel { Red, Green, Blue };
struct PaperPath {};

using Member = std::variant<std::int32_t SketchSettings::*, double SketchSettings::*, Channel, PaperPath>;

struct SketchKey {
  const char* name;
  Member member;
  // Keys that are always applied: a missing or empty value reads as the
  // digit zero instead of leaving the member unchanged.
  bool missingIsZero = false;
};

// The order of the style file, shared by reading and writing.
const std::array<SketchKey, 40> kKeys = {{
    {"b_paper", &SketchSettings::b_paper},
    {"bseedRandom", &SketchSettings::bseedRandom},
    {"disEdges", &SketchSettings::disEdges},
    {"endEdges", &SketchSettings::endEdges},
    {"everySegment", &SketchSettings::everySegment},
    {"maxBlue", &SketchSettings::maxBlue},
    {"maxDir", &SketchSettings::maxDir},
    {"maxGreen", &SketchSettings::maxGreen},
    {"maxHue", &SketchSettings::maxHue},
    {"maxInt", &SketchSettings::maxInt},
    {"maxLength", &SketchSettings::maxLength},
    {"maxRed", &SketchSettings::maxRed},
    {"maxWavy", &SketchSettings::maxWavy},
    {"maxWidth", &SketchSettings::maxWidth},
    {"minBlue", &SketchSettings::minBlue},
    {"minDir", &SketchSettings::minDir},
    {"minGreen", &SketchSettings::minGreen},
    {"minHue", &SketchSettings::minHue},
    {"minInt", &SketchSettings::minInt},
    {"minRed", &SketchSettings::minRed},
    {"minWavy", &SketchSettings::minWavy},
    {"minWidth", &SketchSettings::minWidth},
    {"modeHue", &SketchSettings::modeHue},
    {"numLines", &SketchSettings::numLines},
    {"paper", PaperPath{}},
    {"randDir", &SketchSettings::randDir},
    {"randWavy", &SketchSettings::randWavy},
    {"seedRandom", &SketchSettings::seedRandom},
    {"silEdges", &SketchSettings::silEdges},
    {"singleHueR", Channel::Red, true},
    {"singleHueG", Channel::Green, true},
    {"singleHueB", Channel::Blue, true},
    {"textureFill", &SketchSettings::textureFill, true},
    {"textureMode", &SketchSettings::textureMode, true},
    {"thresholdDegree", &SketchSettings::thresholdDegree},
    {"varInt", &SketchSettings::varInt},
    {"varWidth", &SketchSettings::varWidth},
    {"windowInt", &SketchSettings::windowInt},
    {"windowWavy", &SketchSettings::windowWavy},
    {"windowWidth", &SketchSettings::windowWidth},
}};

void SetChannel(TS_Color& colour, Channel channel, int value) {
  const int red = channel == Channel::Red ? value : colour.Red();
  const int green = channel == Channel::Green ? value : colour.Green();
  const int blue = channel == Channel::Blue ? value : colour.Blue();
  colour = TS_Color(red, green, blue);
}

int GetChannel(const TS_Color& colour, Channel channel) {
  switch (channel) {
    case Channel::Red: return colour.Red();
    case Channel::Green: return colour.Green();
    case Channel::Blue: return colour.Blue();
  }
  return 0;
}

std::string_view FolderOf(std::string_view path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string_view::npos ? std::string_view() : path.substr(0, slash + 1);
}

// A relative path is taken relative to the style file's folder; an absolute
// one, or a result that would not fit the member, is kept as written.
void StorePaper(SketchSettings& settings, const char* value, const char* styleFile) {
  std::string resolved = value;
  const std::string_view folder = FolderOf(styleFile);
  if (!resolved.empty() && resolved.front() != '/' && !folder.empty() &&
      folder.size() + resolved.size() < sizeof(settings.paper)) {
    resolved.insert(0, folder);
  }
  std::snprintf(settings.paper, sizeof(settings.paper), "%s", resolved.c_str());
}

struct ValueReader {
  SketchSettings& settings;
  const char* text;
  const char* styleFile;

  void operator()(std::int32_t SketchSettings::*member) const { settings.*member = NprParseStyleInt(text); }
  void operator()(double SketchSettings::*member) const { settings.*member = NprParseStyleDouble(text); }
  void operator()(Channel channel) const { SetChannel(settings.singleHue, channel, NprParseStyleInt(text)); }
  void operator()(PaperPath) const { StorePaper(settings, text, styleFile); }
};

struct ValueFormatter {
  const SketchSettings& settings;

  std::string operator()(std::int32_t SketchSettings::*member) const {
    return NprFormatStyleInt(settings.*member).c_str();
  }
  std::string operator()(double SketchSettings::*member) const {
    return NprFormatStyleDouble(settings.*member).c_str();
  }
  std::string operator()(Channel channel) const {
    return NprFormatStyleInt(GetChannel(settings.singleHue, channel)).c_str();
  }
  std::string operator()(PaperPath) const { return settings.paper; }
};

}  // namespace

void ReadSketchSection(const char* styleFile, SketchSettings& settings) {
  for (const SketchKey& key : kKeys) {
    std::array<char, kValueBuffer> text{};
    const DWORD read = GetPrivateProfileStringA(kSketchSection, key.name, key.missingIsZero ? "0" : "", text.data(),
                                                kValueBuffer, styleFile);
    if (read > 0 || key.missingIsZero) {
      std::visit(ValueReader{settings, text.data(), styleFile}, key.member);
    }
  }
}

bool WriteSketchSection(const char* styleFile, const SketchSettings& settings) {
  bool allWritten = true;
  for (const SketchKey& key : kKeys) {
    const std::string value = std::visit(ValueFormatter{settings}, key.member);
    allWritten = WritePrivateProfileStringA(kSketchSection, key.name, value.c_str(), styleFile) != FALSE && allWritten;
  }
  return allWritten;
}
