// The material library an OBJ file names, in the forms the fast OBJ reader
// takes over from the importer.
#pragma once

#include <string>
#include <vector>

#include <tessel/ts_material.h>

namespace tessel::detail {

struct NamedMaterial {
  std::string name;
  TS_Material material;
};

// The materials of `path` in file order, converted as the importer's
// materials are (diffuse 0.6 grey, the other colours black and full
// opacity unless the file says otherwise). False for a file that is
// missing or uses anything else, which the importer must then read.
bool ReadMaterialLibrary(const std::string& path, std::vector<NamedMaterial>& materials);

}  // namespace tessel::detail
