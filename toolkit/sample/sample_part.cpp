#include <tessel/ts_sample_part.h>

#include <algorithm>
#include <cmath>
#include <functional>

#include "mesh_builder.h"
#include "sample_part_geometry.h"

namespace {

using tessel::sample::MeshBuilder;

struct Body {
  const char* name;
  TS_Color color;
  std::function<MeshBuilder(int)> build;
};

std::vector<Body> Bodies() {
  return {
      {"Base plate", TS_Color(150, 160, 175), tessel::sample::BasePlate},
      {"Upright", TS_Color(95, 125, 170), tessel::sample::Upright},
      {"Shaft", TS_Color(205, 170, 90), tessel::sample::Shaft},
      {"Boss", TS_Color(185, 85, 65), tessel::sample::Boss},
  };
}

// The corners, halves and quarters of circles must fall on segment points.
int UsableSegments(int requested) { return std::max(8, requested / 8 * 8); }

constexpr int kLargeModelSegments = 128;
constexpr double kGridPitchX = 110.0;
constexpr double kGridPitchY = 80.0;

}  // namespace

std::vector<TS_SampleObject> TS_SamplePart(int circleSegments) {
  const int segments = UsableSegments(circleSegments);
  std::vector<TS_SampleObject> objects;
  for (const Body& body : Bodies()) {
    objects.push_back({body.name, body.color, body.build(segments).ToMesh()});
  }
  return objects;
}

std::vector<TS_SampleObject> TS_LargeSampleModel(std::size_t triangles) {
  std::vector<MeshBuilder> parts;
  std::size_t perPart = 0;
  for (const Body& body : Bodies()) {
    parts.push_back(body.build(kLargeModelSegments));
    perPart += parts.back().TriangleCount();
  }
  const std::size_t copies = std::max<std::size_t>(1, (triangles + perPart - 1) / perPart);
  const auto columns = static_cast<std::size_t>(std::ceil(std::sqrt(static_cast<double>(copies))));

  std::vector<TS_SampleObject> objects;
  const std::vector<Body> bodies = Bodies();
  for (std::size_t b = 0; b < bodies.size(); ++b) {
    MeshBuilder merged;
    for (std::size_t copy = 0; copy < copies; ++copy) {
      const double x = kGridPitchX * static_cast<double>(copy % columns);
      const double y = kGridPitchY * static_cast<double>(copy / columns);
      merged.Append(parts[b], {x, y, 0.0});
    }
    objects.push_back({bodies[b].name, bodies[b].color, merged.ToMesh()});
  }
  return objects;
}
