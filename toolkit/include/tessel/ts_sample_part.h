// A mechanical part generated in code, for previews, tests and benchmarks
// that need a CAD-like model without reading a file: a base plate with
// rounded, chamfered corners and four through-holes, an upright lug with a
// bore and a rib, a shaft through the bore whose back end is an open tube,
// and a filleted boss with a blind hole. It has straight creases, curved
// silhouettes, smooth fillets and free borders. Every mesh carries unit
// vertex normals; the output depends on nothing but the arguments.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include <tessel/ts_color.h>
#include <tessel/ts_mesh.h>

// One body of the part with its display colour.
struct TS_SampleObject {
  std::string name;
  TS_Color color;
  TS_Mesh mesh;
};

// Circles are cut into `circleSegments` pieces (at least 8; rounded down to a
// multiple of 8) and straight runs into pieces of about the same length. The
// default gives roughly ten thousand triangles. Units are millimetres, z is
// up; the part spans about 90 x 60 x 52 around the origin.
std::vector<TS_SampleObject> TS_SamplePart(int circleSegments = 96);

// A grid of finely tessellated copies of the part, merged per body, with at
// least `triangles` triangles in all (counting a quad as two): a model for
// measuring performance on large meshes.
std::vector<TS_SampleObject> TS_LargeSampleModel(std::size_t triangles = 1000000);
