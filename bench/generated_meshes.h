// Large meshes with every kind of feature edge for the benchmarks.
#pragma once

#include <tessel/ts_mesh.h>

namespace bench_meshes {

// A closed capped cylinder (smooth side, creased rims where the caps meet it
// with their own vertices, caps as fans) beside an open height-field sheet
// with a fold along its middle and borders all round. About 4 * resolution^2
// triangles; triangulated, with face and unit vertex normals, as nodes hold
// their meshes.
TS_Mesh cylinderAndSheet(int resolution);

}  // namespace bench_meshes
