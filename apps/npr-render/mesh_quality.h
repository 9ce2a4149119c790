// How closely npr-render meshes models given by their surfaces (STEP, IGES,
// B-rep), and what meshing may cost at each quality.
#pragma once

#include <optional>
#include <string>

#include <tessel/ts_model.h>

namespace npr_render {

enum class MeshQuality { Draft, Normal, Fine };

std::optional<MeshQuality> ParseMeshQuality(const std::string& text);

// The reader's meshing tolerances and budget for `quality`; a deflection
// (in the model's millimetres) replaces the quality's relative one.
// Finer qualities get more triangles and time, and the processor limit of
// the isolated reader grows with the time on every core.
TS_ModelReadLimits ReadLimitsFor(MeshQuality quality, std::optional<double> deflection);

}  // namespace npr_render
