// The parameters of one Cartoon style, named after their style-file keys.
#pragma once

#include <tessel/ts_color.h>

#include <cstdint>

namespace linvale::cartoon {

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

// Values read from a style file are kept as written, so that saving a style
// writes back what its author wrote. What would make a render fault is
// mended where the value is used, never in the record:

// A width OpenGL accepts: widths below 1 (which GL refuses) draw 1 pixel wide.
int DrawableLineWidth(std::int32_t width);

// A blend factor to mix colours with: one that is not a number mixes nothing.
double UsableBlend(double fraction);

}  // namespace linvale::cartoon
