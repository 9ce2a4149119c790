// The bodies of the sample part as mesh builders, before they become
// TS_Mesh objects. Lengths are millimetres, z points up, the base plate's
// underside lies in z = 0 with its centre at the origin.
#pragma once

#include "mesh_builder.h"

namespace tessel::sample {

// Base plate: rounded corners, a chamfered top edge and four through-holes
// concentric with the corners.
MeshBuilder BasePlate(int segments);
// Upright lug with a bore, stiffened by a rib behind it.
MeshBuilder Upright(int segments);
// Shaft through the bore: chamfered front end, open tube end at the back.
MeshBuilder Shaft(int segments);
// Filleted boss on the plate with a blind hole.
MeshBuilder Boss(int segments);

}  // namespace tessel::sample
