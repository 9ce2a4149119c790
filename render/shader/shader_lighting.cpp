// Per-vertex lighting shared by the shaders. The value is not a colour but a
// position in a shading ramp or a fill weight, so only the geometry of each
// light counts: colours and intensities are the style's business.
#include <linvale/npr_shader_support.h>

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

// A light vector of zero length (a point light sitting on the vertex, a
// light without direction) lights nothing rather than producing NaN.
std::optional<TS_3dVector> Unit(TS_3dVector vector) {
  if (!vector.Unitize()) {
    return std::nullopt;
  }
  return vector;
}

bool InsideSpotCone(const TS_Light& light, const TS_3dPoint& vertex) {
  const auto toVertex = Unit(vertex - light.Location());
  const auto axis = Unit(light.Direction());
  if (!toVertex || !axis) {
    return false;
  }
  const double cosine = std::clamp(TS_DotProduct(*toVertex, *axis), -1.0, 1.0);
  return std::acos(cosine) <= light.SpotAngleRadians();
}

// The unit vector from the vertex towards the light, or nothing when the
// light does not reach the vertex or is of a style the shaders ignore.
std::optional<TS_3dVector> UnitLightVector(const TS_Light& light, const TS_3dPoint& vertex) {
  switch (light.Style()) {
    case TS::world_directional_light: return Unit(-light.Direction());
    case TS::world_point_light: return Unit(light.Location() - vertex);
    case TS::world_spot_light:
      if (!InsideSpotCone(light, vertex)) {
        return std::nullopt;
      }
      return Unit(-light.Direction());
    default: return std::nullopt;
  }
}

TS_3dVector FaceNormal(const TS_Mesh& mesh, int face) {
  if (mesh.HasFaceNormals()) {
    return mesh.FaceNormal(face);
  }
  // A producer that skipped face normals still gets a sensible answer.
  const TS_MeshFace& corners = mesh.Face(face);
  const TS_3fPoint& a = mesh.Vertex(corners.vi[0]);
  return TS_CrossProduct(TS_3dVector(mesh.Vertex(corners.vi[1]) - a), TS_3dVector(mesh.Vertex(corners.vi[2]) - a));
}

}  // namespace

double NprLightValue(const TS_3dPoint& vertex, const TS_3dVector& normal, const TS_ClassArray<TS_Light>& lights,
                     double floor) {
  const auto unitNormal = Unit(normal);
  double value = floor;
  if (!unitNormal) {
    return value;
  }
  for (const TS_Light& light : lights) {
    if (!light.IsEnabled()) {
      continue;
    }
    if (const auto toLight = UnitLightVector(light, vertex)) {
      value = std::max(value, TS_DotProduct(*unitNormal, *toLight));
    }
  }
  return value;
}

bool NprUsesVertexNormals(const Node& node) { return node.getHadOriginalVertexNormals() || node.getHadVertexNormals(); }

std::array<TS_3dVector, 3> NprFaceShadingNormals(const TS_Mesh& mesh, int face, const TS_3dPoint& cameraLocation,
                                                 bool useVertexNormals) {
  const TS_MeshFace& corners = mesh.Face(face);
  const TS_3dVector faceNormal = FaceNormal(mesh, face);
  std::array<TS_3dVector, 3> normals{faceNormal, faceNormal, faceNormal};
  if (useVertexNormals && mesh.HasVertexNormals()) {
    for (int corner = 0; corner < 3; ++corner) {
      normals[static_cast<std::size_t>(corner)] = mesh.VertexNormal(corners.vi[corner]);
    }
  }
  const TS_3dPoint firstCorner = mesh.Vertex(corners.vi[0]);
  if (TS_DotProduct(firstCorner - cameraLocation, faceNormal) > 0.0) {
    for (TS_3dVector& n : normals) {
      n.Reverse();
    }
  }
  return normals;
}
