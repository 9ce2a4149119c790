#include "sketch_style_file.h"

#include <linvale/npr_style_numbers.h>
#include <win32/profile.h>

#include <array>
#include <cstdio>
#include <string>
#include <string_view>
#include <variant>

namespace linvale::sketch {

namespace {

// Values are read into a buffer of this many characters, terminator included.
constexpr DWORD kValueBuffer = 255;

enum class Channel { Red, Green, Blue };
struct PaperPath {};

using Member = std::variant<std::int32_t SketchSettings::*, double SketchSettings::*, Channel, PaperPath>;

// What a key that is missing, or present with an empty value, does.
enum class WhenEmpty {
  KeepsMember,   // both leave the member unchanged
  ReadsAsZero,   // both read as the digit zero: the key is always applied
  ClearsMember,  // an empty value is a value (no paper); only a missing key keeps the member
};

struct SketchKey {
  const char* name;
  Member member;
  WhenEmpty whenEmpty = WhenEmpty::KeepsMember;
};

// The default text that tells a missing key from an empty value: no value
// read from a profile file can hold a line break.
constexpr const char* kMissingMarker = "\n";

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
    {"paper", PaperPath{}, WhenEmpty::ClearsMember},
    {"randDir", &SketchSettings::randDir},
    {"randWavy", &SketchSettings::randWavy},
    {"seedRandom", &SketchSettings::seedRandom},
    {"silEdges", &SketchSettings::silEdges},
    {"singleHueR", Channel::Red, WhenEmpty::ReadsAsZero},
    {"singleHueG", Channel::Green, WhenEmpty::ReadsAsZero},
    {"singleHueB", Channel::Blue, WhenEmpty::ReadsAsZero},
    {"textureFill", &SketchSettings::textureFill, WhenEmpty::ReadsAsZero},
    {"textureMode", &SketchSettings::textureMode, WhenEmpty::ReadsAsZero},
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

const char* DefaultText(WhenEmpty whenEmpty) {
  switch (whenEmpty) {
    case WhenEmpty::ReadsAsZero: return "0";
    case WhenEmpty::ClearsMember: return kMissingMarker;
    case WhenEmpty::KeepsMember: break;
  }
  return "";
}

bool Applies(WhenEmpty whenEmpty, std::string_view text) {
  switch (whenEmpty) {
    case WhenEmpty::ReadsAsZero: return true;
    case WhenEmpty::ClearsMember: return text != kMissingMarker;
    case WhenEmpty::KeepsMember: break;
  }
  return !text.empty();
}

struct ValueReader {
  SketchSettings& settings;
  const char* text;

  void operator()(std::int32_t SketchSettings::*member) const { settings.*member = NprParseStyleInt(text); }
  void operator()(double SketchSettings::*member) const { settings.*member = NprParseStyleDouble(text); }
  void operator()(Channel channel) const { SetChannel(settings.singleHue, channel, NprParseStyleInt(text)); }
  void operator()(PaperPath) const { std::snprintf(settings.paper, sizeof(settings.paper), "%s", text); }
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
    GetPrivateProfileStringA(kSketchSection, key.name, DefaultText(key.whenEmpty), text.data(), kValueBuffer,
                             styleFile);
    if (Applies(key.whenEmpty, text.data())) {
      std::visit(ValueReader{settings, text.data()}, key.member);
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

std::string ResolvePaperPath(const char* paper, const char* styleFile) {
  const std::string_view path = paper;
  if (path.empty() || path.front() == '/') {
    return std::string(path);
  }
  return std::string(FolderOf(styleFile)).append(path);
}

}  // namespace linvale::sketch
