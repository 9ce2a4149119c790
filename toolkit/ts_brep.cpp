#include <tessel/ts_brep.h>

#include "model/neutral_grey.h"

bool TS_Brep::CreateMesh(const TS_MeshParameters& parameters, TS_ClassArray<TS_Mesh>& meshes,
                         TS_SimpleArray<TS_Color>& colors) const {
  const int before = meshes.Count();
  if (!CreateMesh(parameters, meshes)) {
    return false;
  }
  for (int i = before; i < meshes.Count(); ++i) {
    colors.Append(tessel::detail::NeutralGrey());
  }
  return true;
}
