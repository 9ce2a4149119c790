// How the pencil and water-colour fills colour a face: each of the three
// passes recolours its grain image for the node's material and modulates it
// by a per-vertex light value.
#pragma once

#include <array>

namespace linvale::sketch {

// Grain image drawn by pass 1, 2 and 3: the medium, the light and the dark
// one (file number 2, 1, 3).
int FillPassImageNumber(int pass);

// A grain value t (0 dark .. 1 light) recoloured for one channel, with m the
// material's and g the background's value of that channel. Pass 1 lays the
// material colour where the grain is dark and the background elsewhere,
// pass 2 lightens, pass 3 darkens.
double RecolourGrain(int pass, double t, double m, double g);

// Vertex colour (red, green, blue, alpha) of a pass for the light value u:
// passes 1 and 2 white with the light as opacity, so the light pass shows
// where the surface is lit; pass 3 a grey that darkens and grows opaque
// towards the shadow.
std::array<double, 4> FillVertexColour(int pass, double u);

}  // namespace linvale::sketch
