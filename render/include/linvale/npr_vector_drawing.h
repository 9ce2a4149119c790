// A drawing of a scene's lines as vector paths on a page, and what a host
// asks of one. The page is measured in pixels of the picture the same render
// would make (96 to the inch), x to the right and y down from the top left.
#pragma once

#include <array>
#include <string>
#include <vector>

struct NprPagePoint {
  double x = 0.0;
  double y = 0.0;

  friend bool operator==(const NprPagePoint&, const NprPagePoint&) = default;
};

// How a path is stroked. Widths are page pixels.
struct NprVectorStroke {
  double width = 1.0;
  std::array<double, 3> colour{};  // fractions 0..1
  double alpha = 1.0;
  bool dashed = false;
  // Lines that meet end to end in this stroke become one path: outlines
  // do, hand-drawn strokes keep their own ends.
  bool joinTouching = false;

  friend bool operator==(const NprVectorStroke&, const NprVectorStroke&) = default;
};

struct NprVectorPath {
  std::vector<NprPagePoint> points;
  // The last point runs back to the first, which is not repeated.
  bool closed = false;
  NprVectorStroke stroke;
};

// A flat-coloured polygon of a face seen from the camera.
struct NprVectorFill {
  std::vector<NprPagePoint> corners;
  std::array<double, 3> colour{};
};

// The lines of one node of the scene.
struct NprVectorGroup {
  std::string name;
  std::vector<NprVectorPath> paths;
};

struct NprVectorDrawing {
  double width = 0.0;
  double height = 0.0;
  std::array<double, 3> background{1.0, 1.0, 1.0};
  // Faces of all nodes, back to front, under every line.
  std::vector<NprVectorFill> fills;
  std::vector<NprVectorGroup> groups;
};

enum class NprHiddenLines {
  Omitted,  // only what the picture shows
  Dashed,   // hidden parts too, dashed and thinner
};

struct NprVectorOptions {
  NprHiddenLines hiddenLines = NprHiddenLines::Omitted;
  // The faces as flat polygons, for the shaders that shade them in bands.
  bool fills = false;
  // Names of the groups, node by node; a node without one is "node-<n>",
  // counted from 1.
  std::vector<std::string> nodeNames;
};
