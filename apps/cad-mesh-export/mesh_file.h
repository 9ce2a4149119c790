// A read model's triangles written as a plain mesh file, for programs that
// cannot read the CAD file it came from.
#pragma once

#include <tessel/ts_model.h>

#include <string>

namespace cad_mesh_export {

// Writes every object of `model` where the model places it, with its
// colour as its material, in the format the extension of `path` names:
// .obj (with its .mtl beside it), .stl (binary) or .glb. Returns an empty
// string on success, else why nothing usable was written.
std::string WriteMeshFile(const TS_Model& model, const std::string& path);

}  // namespace cad_mesh_export
