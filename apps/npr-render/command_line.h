// The options of npr-render and their parsing.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include <linvale/npr_render_settings.h>
#include <linvale/npr_vector_drawing.h>
#include <linvale/scene_builder.h>
#include <tessel/ts_defines.h>
#include <tessel/ts_point.h>

#include "mesh_quality.h"

namespace npr_render {

struct Options {
  std::string model;  // empty: the built-in sample part
  // Without a model: a grid of sample parts of about this many triangles
  // (0: one part), for measuring large renders.
  int sampleTriangles = 0;
  std::string output = "render.png";
  std::string style;  // empty: the default style
  int width = 1600;
  int height = 1200;
  NprRenderSettings::AntialiasStyle antialias = NprRenderSettings::AntialiasBest;
  NprNamedView view = NprNamedView::Iso;
  TS::view_projection projection = TS::perspective_view;
  // --view or --parallel was given: the named view replaces the model's camera.
  bool namedViewAsked = false;
  std::optional<TS_3dVector> up;  // overrides the model's own up direction
  // Drawings (.svg, .pdf) only: hidden lines dashed, faces as flat fills.
  NprHiddenLines hiddenLines = NprHiddenLines::Omitted;
  bool svgFills = false;
  // Meshing of models given by their surfaces; a deflection in millimetres
  // overrides the quality's.
  MeshQuality quality = MeshQuality::Normal;
  std::optional<double> deflection;
  bool listStyles = false;
  bool settings = false;  // open the settings dialog instead of rendering
  bool quiet = false;
  bool verbose = false;
  bool help = false;
  bool version = false;
};

struct ParseResult {
  Options options;
  std::string error;  // empty on success
};

ParseResult ParseCommandLine(const std::vector<std::string>& arguments);

// "WxH" with two positive decimal integers.
std::optional<std::pair<int, int>> ParseSize(const std::string& text);

const char* UsageText();

}  // namespace npr_render
