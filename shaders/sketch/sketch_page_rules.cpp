#include "sketch_page_rules.h"

#include <linvale/npr_typed_number.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace linvale::sketch {

namespace {

constexpr double kZeroBelow = 1e-9;

double ZeroWhenTiny(double value) { return value < kZeroBelow ? 0.0 : value; }

bool OnlyCharacters(std::string_view text, std::string_view allowed) {
  return text.find_first_not_of(allowed) == std::string_view::npos;
}

std::optional<double> ParseWhole(std::string_view text) {
  const std::optional<long> value = NprParseTypedWholeNumber(text);
  return value ? std::optional(static_cast<double>(*value)) : std::nullopt;
}

std::optional<double> ParseReal(std::string_view text) {
  if (text.empty() || !OnlyCharacters(text, "0123456789+-.e")) {
    return std::nullopt;
  }
  const std::string copy(text);
  char* end = nullptr;
  const double value = std::strtod(copy.c_str(), &end);
  if (end != copy.c_str() + copy.size()) {
    return std::nullopt;
  }
  return value;
}

// Where a field lives in the record: whole-number fields are 32-bit.
struct Slot {
  double* real = nullptr;
  std::int32_t* whole = nullptr;

  double Get() const { return real != nullptr ? *real : *whole; }
  void Set(double value) const {
    if (real != nullptr) {
      *real = value;
    } else {
      *whole = static_cast<std::int32_t>(value);
    }
  }
};

Slot SlotOf(SketchSettings& s, SketchField field) {
  switch (field) {
    case SketchField::ThresholdDegree: return {&s.thresholdDegree};
    case SketchField::MaxLength: return {&s.maxLength};
    case SketchField::SeedRandom: return {nullptr, &s.seedRandom};
    case SketchField::NumLines: return {nullptr, &s.numLines};
    case SketchField::WindowWavy: return {nullptr, &s.windowWavy};
    case SketchField::MinWavy: return {&s.minWavy};
    case SketchField::MaxWavy: return {&s.maxWavy};
    case SketchField::MinDir: return {&s.minDir};
    case SketchField::MaxDir: return {&s.maxDir};
    case SketchField::WindowWidth: return {nullptr, &s.windowWidth};
    case SketchField::MinWidth: return {&s.minWidth};
    case SketchField::MaxWidth: return {&s.maxWidth};
    case SketchField::MinHue: return {&s.minHue};
    case SketchField::MaxHue: return {&s.maxHue};
    case SketchField::MinRed: return {&s.minRed};
    case SketchField::MaxRed: return {&s.maxRed};
    case SketchField::MinGreen: return {&s.minGreen};
    case SketchField::MaxGreen: return {&s.maxGreen};
    case SketchField::MinBlue: return {&s.minBlue};
    case SketchField::MaxBlue: return {&s.maxBlue};
    case SketchField::WindowInt: return {nullptr, &s.windowInt};
    case SketchField::MinInt: return {&s.minInt};
    case SketchField::MaxInt: return {&s.maxInt};
  }
  return {};
}

// The colour channel's other bound: a min.'s max. and a max.'s min.
double PartnerOf(const SketchSettings& s, SketchField field) {
  switch (field) {
    case SketchField::MinRed: return s.maxRed;
    case SketchField::MaxRed: return s.minRed;
    case SketchField::MinGreen: return s.maxGreen;
    case SketchField::MaxGreen: return s.minGreen;
    case SketchField::MinBlue: return s.maxBlue;
    case SketchField::MaxBlue: return s.minBlue;
    default: return 0.0;
  }
}

// Lower bounds are applied last: a record whose partner is out of order
// still gets a value inside the field's own limits.
double Typed(const SketchSettings& s, SketchField field, double v) {
  switch (field) {
    case SketchField::ThresholdDegree: return std::max(std::min(v, 180.0), 0.0);
    case SketchField::MaxLength: return std::max(v, 0.01);
    case SketchField::SeedRandom: return std::max(std::min(v, 65535.0), 1.0);
    case SketchField::NumLines: return std::max(std::min(v, 10.0), 1.0);
    case SketchField::WindowWavy:
    case SketchField::WindowWidth: return std::max(std::min(v, 1000.0), 1.0);
    case SketchField::WindowInt: return std::max(std::min(v, 100.0), 1.0);
    case SketchField::MinWavy: return std::max(std::min(v, s.maxWavy), 0.0);
    case SketchField::MaxWavy: return std::max(std::min(v, 1000.0), s.minWavy);
    case SketchField::MinDir: return std::max(std::min(v, s.maxDir), -1000.0);
    case SketchField::MaxDir: return std::max(std::min(v, 1000.0), s.minDir);
    case SketchField::MinWidth: return std::max(std::min({v, s.maxWidth, 10.0}), 1.0);
    case SketchField::MaxWidth: return std::max(std::min(v, 10.0), s.minWidth);
    case SketchField::MinHue:
    case SketchField::MaxHue: return std::max(std::min(v, 1.0), 0.0);
    case SketchField::MinRed:
    case SketchField::MinGreen:
    case SketchField::MinBlue: return std::max(std::min(v, PartnerOf(s, field)), 0.0);
    case SketchField::MaxRed:
    case SketchField::MaxGreen:
    case SketchField::MaxBlue: return std::max(std::min(v, 1.0), PartnerOf(s, field));
    case SketchField::MinInt: return std::max(std::min(v, s.maxInt), 0.0);
    case SketchField::MaxInt: return std::max(std::min(v, 1.0), s.minInt);
  }
  return v;
}

double Up(const SketchSettings& s, SketchField field, double v) {
  switch (field) {
    case SketchField::ThresholdDegree: return std::min(v + 0.5, 180.0);
    case SketchField::MaxLength: return v <= 100000.0 ? v + 0.05 : v;
    case SketchField::SeedRandom: return std::min(v + 1, 65535.0);
    case SketchField::NumLines: return std::min(v + 1, 10.0);
    case SketchField::WindowWavy:
    case SketchField::WindowWidth: return std::min(v + 1, 1000.0);
    case SketchField::WindowInt: return std::min(v + 1, 100.0);
    case SketchField::MinWavy: return v + 0.05 <= s.maxWavy ? v + 0.05 : s.maxWavy;
    case SketchField::MaxWavy: return v < 1000.0 ? v + 0.05 : v;
    case SketchField::MinDir: return std::min(v + 0.05, s.maxDir);
    case SketchField::MaxDir: return std::min(v + 0.05, 1000.0);
    case SketchField::MinWidth: return v < s.maxWidth || s.varWidth == 0 ? std::min(v + 1, 10.0) : v;
    case SketchField::MaxWidth: return v < 10.0 ? v + 1 : v;
    case SketchField::MinHue: return v < 0.9 ? v + 0.1 : v;
    case SketchField::MaxHue: return v <= 0.9 ? v + 0.1 : v;
    case SketchField::MinRed:
    case SketchField::MinGreen:
    case SketchField::MinBlue: return v + 0.1 <= PartnerOf(s, field) ? v + 0.1 : v;
    case SketchField::MaxRed:
    case SketchField::MaxGreen:
    case SketchField::MaxBlue: return v <= 0.9 ? v + 0.1 : v;
    case SketchField::MinInt: return std::min(v + 0.1, s.maxInt);
    case SketchField::MaxInt: return v <= 0.9 ? v + 0.1 : v;
  }
  return v;
}

double Down(const SketchSettings& s, SketchField field, double v) {
  switch (field) {
    case SketchField::ThresholdDegree: return std::max(v - 0.5, 0.0);
    case SketchField::MaxLength: return v >= 0.05 ? v - 0.05 : 0.0;
    case SketchField::SeedRandom:
    case SketchField::NumLines:
    case SketchField::WindowWavy:
    case SketchField::WindowWidth:
    case SketchField::WindowInt: return std::max(v - 1, 1.0);
    case SketchField::MinWavy: return v >= 0.05 ? v - 0.05 : 0.0;
    case SketchField::MaxWavy: return v > 0.05 ? std::max(v - 0.05, s.minWavy) : v;
    case SketchField::MinDir: return std::max(v - 0.05, -1000.0);
    case SketchField::MaxDir: return std::max(v - 0.05, s.minDir);
    case SketchField::MinWidth: return v > 1.0 ? v - 1 : v;
    case SketchField::MaxWidth: return v > 1.0 ? std::max(v - 1, s.minWidth) : v;
    case SketchField::MinHue:
    case SketchField::MaxHue: return ZeroWhenTiny(std::max(v - 0.1, 0.0));
    case SketchField::MinRed:
    case SketchField::MinGreen:
    case SketchField::MinBlue: return v > 0.1 ? ZeroWhenTiny(v - 0.1) : v;
    case SketchField::MaxRed:
    case SketchField::MaxGreen:
    case SketchField::MaxBlue: return v - 0.1 >= PartnerOf(s, field) ? ZeroWhenTiny(v - 0.1) : v;
    case SketchField::MinInt: return ZeroWhenTiny(std::max(v - 0.1, 0.0));
    case SketchField::MaxInt: return ZeroWhenTiny(std::max(v - 0.1, s.minInt));
  }
  return v;
}

bool Store(SketchSettings& settings, SketchField field, double value) {
  const Slot slot = SlotOf(settings, field);
  if (value == slot.Get()) {
    return false;
  }
  slot.Set(value);
  return true;
}

}  // namespace

std::optional<double> ParseSketchText(SketchTextKind kind, std::string_view text) {
  switch (kind) {
    case SketchTextKind::Whole: return ParseWhole(text);
    case SketchTextKind::Digits: return OnlyCharacters(text, "0123456789") ? ParseWhole(text) : std::nullopt;
    case SketchTextKind::Real: return ParseReal(text);
    case SketchTextKind::RealComplete:
      return !text.empty() && text.back() == '.' ? std::nullopt : ParseReal(text);
  }
  return std::nullopt;
}

SketchTextKind TextKindOf(SketchField field) {
  switch (field) {
    case SketchField::SeedRandom:
    case SketchField::MinHue:
    case SketchField::MaxHue:
    case SketchField::WindowInt:
    case SketchField::MinInt:
    case SketchField::MaxInt: return SketchTextKind::Digits;
    case SketchField::NumLines:
    case SketchField::WindowWavy:
    case SketchField::WindowWidth:
    case SketchField::MinWidth: return SketchTextKind::Whole;
    case SketchField::MinRed:
    case SketchField::MaxRed:
    case SketchField::MinGreen:
    case SketchField::MaxGreen:
    case SketchField::MinBlue:
    case SketchField::MaxBlue: return SketchTextKind::RealComplete;
    default: return SketchTextKind::Real;
  }
}

double SketchFieldValue(const SketchSettings& settings, SketchField field) {
  // The slot only reads through the pointer here.
  return SlotOf(const_cast<SketchSettings&>(settings), field).Get();
}

void SetSketchFieldValue(SketchSettings& settings, SketchField field, double value) {
  SlotOf(settings, field).Set(value);
}

bool StoreTypedSketchValue(SketchSettings& settings, SketchField field, double typed) {
  return Store(settings, field, Typed(settings, field, typed));
}

bool StepSketchValue(SketchSettings& settings, SketchField field, int direction) {
  const double value = SketchFieldValue(settings, field);
  if (direction == 0) {
    return false;
  }
  return Store(settings, field, direction > 0 ? Up(settings, field, value) : Down(settings, field, value));
}

SketchEnables SketchEnablesOf(const SketchSettings& s) {
  return {.threshold = s.disEdges != 0,
          .seed = s.bseedRandom != 0,
          .wavy = s.randWavy != 0,
          .ends = s.randDir != 0,
          .widthVariation = s.varWidth != 0,
          .minWidthLabel = s.varWidth != 0 ? "Min." : "Width",
          .hueLessPlus = s.modeHue != 2,
          .singleColor = s.modeHue == 1,
          .colorRanges = s.modeHue == 2,
          .intensity = s.varInt != 0,
          .fillModes = s.textureFill != 0};
}

void MendWidthsOnOpen(SketchSettings& settings) {
  if (settings.varWidth != 0 && settings.minWidth > settings.maxWidth) {
    settings.minWidth = settings.maxWidth;
  }
}

}  // namespace linvale::sketch
