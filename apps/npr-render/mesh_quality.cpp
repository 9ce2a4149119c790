#include "mesh_quality.h"

#include <algorithm>
#include <cmath>
#include <thread>

namespace npr_render {
namespace {

struct QualityTable {
  double relativeDeflection;
  double angularDeflection;  // radians
  std::uint64_t triangles;
  double seconds;
};

// Draft shows the shape quickly; fine keeps circles round at full size.
constexpr QualityTable kDraft{0.004, 0.8, 2'000'000, 10.0};
constexpr QualityTable kNormal{0.001, 0.5, 10'000'000, 30.0};
constexpr QualityTable kFine{0.0002, 0.25, 40'000'000, 90.0};
// Processor seconds for reading the file itself, beyond meshing.
constexpr unsigned kReadingSeconds = 60;

const QualityTable& TableFor(MeshQuality quality) {
  switch (quality) {
    case MeshQuality::Draft: return kDraft;
    case MeshQuality::Fine: return kFine;
    case MeshQuality::Normal: break;
  }
  return kNormal;
}

}  // namespace

std::optional<MeshQuality> ParseMeshQuality(const std::string& text) {
  if (text == "draft") return MeshQuality::Draft;
  if (text == "normal") return MeshQuality::Normal;
  if (text == "fine") return MeshQuality::Fine;
  return std::nullopt;
}

TS_ModelReadLimits ReadLimitsFor(MeshQuality quality, std::optional<double> deflection) {
  const QualityTable& table = TableFor(quality);
  TS_ModelReadLimits limits;
  limits.meshing.relativeDeflection = table.relativeDeflection;
  limits.meshing.angularDeflection = table.angularDeflection;
  limits.meshing.absoluteDeflection = deflection.value_or(0.0);
  limits.meshTriangles = table.triangles;
  limits.meshSeconds = table.seconds;
  const unsigned cores = std::max(std::thread::hardware_concurrency(), 1u);
  limits.seconds = kReadingSeconds + static_cast<unsigned>(std::ceil(table.seconds)) * cores;
  return limits;
}

}  // namespace npr_render
