// The parameters of one Cartoon style, named after their style-file keys.
#pragma once

#include <tessel/ts_color.h>

#include <cstdint>

// Flags are 32-bit integers holding 0 or 1, as the style file stores them.
//
// Before a style is loaded the record holds the house style "Bright Cel": a
// medium shadow band, a small bright highlight and black outlines, heavier on
// the silhouette than on borders and creases.
struct CartoonSettings {
  std::int32_t silEdges = 1;
  std::int32_t widthSil = 3;
  TS_Color silColor;
  double varSilColor = 0.0;
  std::int32_t endEdges = 1;
  std::int32_t widthEnd = 2;
  TS_Color endColor;
  double varEndColor = 0.0;
  std::int32_t disEdges = 1;
  std::int32_t widthDis = 1;
  TS_Color disColor;
  double varDisColor = 0.0;
  double thresholdDegree = 140.0;
  std::int32_t specular = 24;
  std::int32_t shadow = 104;
  double varShadow = 0.6;
  double varDiffuse = 0.0;
  double varSpecular = 0.7;

  friend bool operator==(const CartoonSettings&, const CartoonSettings&) = default;
};

// Limits the property pages keep, applied to values read from a file so
// that a hand-edited style cannot ask for lines 500 pixels wide or a ramp
// band outside the ramp.
inline constexpr int kMinLineWidth = 1;
inline constexpr int kMaxLineWidth = 10;
inline constexpr int kMaxBandWidth = 128;
inline constexpr double kMaxThresholdDegree = 180.0;

// Brings every member into the range the property pages keep: widths 1 to
// 10, blends 0 to 1 with the base blend never above the shadow blend, bands
// 0 to 128, threshold 0 to 180, flags 0 or 1. Values not a number take the
// low end of their range.
void ClampToPageRanges(CartoonSettings& settings);
