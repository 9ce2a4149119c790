#include "sketch_settings.h"

#include <algorithm>
#include <cmath>

namespace linvale::sketch {

namespace {

void ClampFlag(std::int32_t& flag) { flag = flag != 0 ? 1 : 0; }

void ClampWhole(std::int32_t& value, std::int32_t lo, std::int32_t hi) { value = std::clamp(value, lo, hi); }

// NaN compares false with everything and would slip through std::clamp;
// it becomes the lower bound.
void ClampReal(double& value, double lo, double hi) { value = std::isnan(value) ? lo : std::clamp(value, lo, hi); }

// The maximum is kept within [lo, hi] first, then the minimum within
// [lo, maximum], which is what the pages do when a minimum is typed above
// its maximum.
void ClampRange(double& minimum, double& maximum, double lo, double hi) {
  ClampReal(maximum, lo, hi);
  ClampReal(minimum, lo, maximum);
}

void ClampFlags(SketchSettings& s) {
  for (std::int32_t* flag : {&s.silEdges, &s.endEdges, &s.disEdges, &s.bseedRandom, &s.randWavy, &s.randDir,
                             &s.everySegment, &s.varWidth, &s.varInt, &s.textureFill, &s.b_paper}) {
    ClampFlag(*flag);
  }
}

void ClampWidths(SketchSettings& s) {
  ClampReal(s.maxWidth, 1.0, 10.0);
  // With width variation off the minimum is the fixed width and may exceed
  // the (unused) maximum.
  ClampReal(s.minWidth, 1.0, s.varWidth != 0 ? s.maxWidth : 10.0);
}

}  // namespace

void ClampToPageRanges(SketchSettings& s) {
  ClampFlags(s);
  ClampReal(s.thresholdDegree, 0.0, 180.0);
  ClampReal(s.maxLength, 0.01, 100000.0);
  ClampWhole(s.seedRandom, 1, 65535);
  ClampWhole(s.numLines, 1, 10);
  ClampWhole(s.windowWavy, 1, 1000);
  ClampWhole(s.windowWidth, 1, 1000);
  ClampWhole(s.windowInt, 1, 100);
  ClampRange(s.minWavy, s.maxWavy, 0.0, 1000.0);
  ClampRange(s.minDir, s.maxDir, -1000.0, 1000.0);
  ClampWidths(s);
  ClampWhole(s.modeHue, 0, 2);
  ClampReal(s.minHue, 0.0, 1.0);
  ClampReal(s.maxHue, 0.0, 1.0);
  ClampRange(s.minRed, s.maxRed, 0.0, 1.0);
  ClampRange(s.minGreen, s.maxGreen, 0.0, 1.0);
  ClampRange(s.minBlue, s.maxBlue, 0.0, 1.0);
  ClampRange(s.minInt, s.maxInt, 0.0, 1.0);
  ClampWhole(s.textureMode, 0, 2);
}

}  // namespace linvale::sketch
