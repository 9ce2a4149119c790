// All parameters of a Sketch style. Every member is named after its key in
// the style file's "Sketch" section; "bool" members are 32-bit integers
// holding 0 or 1.
#pragma once

#include <tessel/ts_color.h>

#include <cstdint>

namespace linvale::sketch {

struct SketchSettings {
  std::int32_t silEdges = 1;
  std::int32_t endEdges = 1;
  std::int32_t disEdges = 1;
  // Crease threshold in degrees between the faces; edge extraction is handed
  // 180 minus this, in radians.
  double thresholdDegree = 157.0;
  // Kept and saved for the property pages; the render does not use it.
  double maxLength = 10.0;
  std::int32_t bseedRandom = 0;
  std::int32_t seedRandom = 1;
  // Wavy lines; also what allows more than one line per edge.
  std::int32_t randWavy = 1;
  std::int32_t numLines = 1;
  // Period of the wave, in points.
  std::int32_t windowWavy = 5;
  double minWavy = 0.0;
  double maxWavy = 0.4;
  // Random overshoot or shortening at stroke ends.
  std::int32_t randDir = 1;
  // 0: ends of a polyline and right-angle corners only; 1: every segment.
  std::int32_t everySegment = 0;
  // End extension in hundredths of the image width; negative shortens.
  double minDir = 0.2;
  double maxDir = 0.6;
  std::int32_t varWidth = 1;
  // Half period, in segments, of the width cycle.
  std::int32_t windowWidth = 10;
  // Thinnest width in pixels, and the fixed width while varWidth is off.
  double minWidth = 3.0;
  double maxWidth = 8.0;
  // Line colour: 0 material colour, 1 single colour, 2 random colour.
  std::int32_t modeHue = 0;
  TS_Color singleHue = TS_Color(150U);
  // How far a stroke's colour may fall below ("Less") or rise above
  // ("Plus") its base colour.
  double minHue = 0.1;
  double maxHue = 0.4;
  double minRed = 0.0;
  double maxRed = 1.0;
  double minGreen = 0.0;
  double maxGreen = 1.0;
  double minBlue = 0.0;
  double maxBlue = 1.0;
  std::int32_t varInt = 1;
  // Half period, in segments, of the intensity cycle; also the factor by
  // which long edges are subdivided.
  std::int32_t windowInt = 10;
  // Intensity 0 is the full line colour, 1 the background colour.
  double minInt = 0.0;
  double maxInt = 0.4;
  std::int32_t textureFill = 0;
  // Fill kind: 0 material colour, 1 pencil, 2 water colour.
  std::int32_t textureMode = 0;
  char paper[260] = {};
  std::int32_t b_paper = 0;

  friend bool operator==(const SketchSettings&, const SketchSettings&) = default;
};

// Brings every member into the range the property pages keep: every
// minimum not above its maximum, windows, numLines and seedRandom at least 1,
// modes 0 to 2, flags 0 or 1, no NaN. The render relies on these, so values
// read from a style file pass through here before they are used.
void ClampToPageRanges(SketchSettings& settings);

}  // namespace linvale::sketch
