// What the Sketch property pages accept and keep, apart from any widget:
// which texts each numeric field takes, how a typed value is brought into
// its range, what one click of a spin arrow does, and which controls the
// switches enable.
#pragma once

#include "sketch_settings.h"

#include <optional>
#include <string_view>

namespace linvale::sketch {

// The texts a field's edit takes.
enum class SketchTextKind {
  Whole,         // a whole number, optionally signed
  Digits,        // digits only
  Real,          // 0-9, "+", "-", "." and "e", forming a real number
  RealComplete,  // as Real, left alone while the text ends with "."
};

// The value a text stands for, or nothing when the record must stay as it
// is (the edit then shows the record again).
std::optional<double> ParseSketchText(SketchTextKind kind, std::string_view text);

// Every numeric field of the pages.
enum class SketchField {
  ThresholdDegree,
  MaxLength,
  SeedRandom,
  NumLines,
  WindowWavy,
  MinWavy,
  MaxWavy,
  MinDir,
  MaxDir,
  WindowWidth,
  MinWidth,
  MaxWidth,
  MinHue,
  MaxHue,
  MinRed,
  MaxRed,
  MinGreen,
  MaxGreen,
  MinBlue,
  MaxBlue,
  WindowInt,
  MinInt,
  MaxInt,
};

SketchTextKind TextKindOf(SketchField field);

// The field's value in the record.
double SketchFieldValue(const SketchSettings& settings, SketchField field);

// Sets the field as it stands, for a value the rules below produced.
void SetSketchFieldValue(SketchSettings& settings, SketchField field, double value);

// Stores a typed value, brought into the field's range against the rest of
// the record. False (and the record untouched) when it equals the stored
// value, which is no change.
bool StoreTypedSketchValue(SketchSettings& settings, SketchField field, double typed);

// One click of the field's spin arrows, up for a positive direction. False
// when the value stays as it was.
bool StepSketchValue(SketchSettings& settings, SketchField field, int direction);

// Which controls the switches enable, and the label of the width field.
struct SketchEnables {
  bool threshold;
  bool seed;
  bool wavy;
  bool ends;
  bool widthVariation;  // interval and max. width; the min./fixed width always
  const char* minWidthLabel;
  bool hueLessPlus;
  bool singleColor;
  bool colorRanges;
  bool intensity;
  bool fillModes;
};
SketchEnables SketchEnablesOf(const SketchSettings& settings);

// What opening the Line Shape page mends: with width variation on, a min.
// width above the max. comes down to it.
void MendWidthsOnOpen(SketchSettings& settings);

}  // namespace linvale::sketch
