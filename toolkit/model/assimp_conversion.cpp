#include "assimp_conversion.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include <assimp/material.h>
#include <assimp/version.h>

namespace tessel::detail {
namespace {

bool IsFinite(const aiVector3D& v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

TS_3dPoint ToPoint(const aiVector3D& v) { return {v.x, v.y, v.z}; }
TS_3dVector ToVector(const aiVector3D& v) { return {v.x, v.y, v.z}; }

// Directions follow the linear part of the transform only.
aiVector3D TransformDirection(const aiMatrix4x4& world, const aiVector3D& direction) {
  return aiMatrix3x3(world) * direction;
}

// Normals need the inverse transpose so that they stay perpendicular to
// surfaces that the transform scales unevenly.
aiMatrix3x3 NormalMatrix(const aiMatrix4x4& world) {
  aiMatrix3x3 linear(world);
  if (linear.Determinant() == 0.0f) {
    return linear;
  }
  return linear.Inverse().Transpose();
}

TS_Color ColorFrom(const aiColor3D& color) {
  TS_Color result;
  result.SetFractionalRGB(color.r, color.g, color.b);
  return result;
}

bool FileNormalsUsable(const aiMesh& mesh) {
  if (mesh.mNormals == nullptr) {
    return false;
  }
  return std::any_of(mesh.mNormals, mesh.mNormals + mesh.mNumVertices,
                     [](const aiVector3D& n) { return IsFinite(n) && (n.x != 0.0f || n.y != 0.0f || n.z != 0.0f); });
}

bool IsTriangleOf(const aiFace& face, unsigned vertexCount) {
  return face.mNumIndices == 3 &&
         std::all_of(face.mIndices, face.mIndices + 3, [&](unsigned i) { return i < vertexCount; });
}

bool HasFiniteCorners(const aiFace& face, const aiVector3D* vertices) {
  return std::all_of(face.mIndices, face.mIndices + face.mNumIndices,
                     [&](unsigned i) { return IsFinite(vertices[i]); });
}

}  // namespace

TS_Mesh ConvertMesh(const aiMesh& mesh, const aiMatrix4x4& world, std::uint64_t& invalidFaces) {
  TS_Mesh result;
  result.Reserve(static_cast<int>(mesh.mNumVertices), static_cast<int>(mesh.mNumFaces));
  for (unsigned v = 0; v < mesh.mNumVertices; ++v) {
    result.SetVertex(static_cast<int>(v), TS_3fPoint(ToPoint(world * mesh.mVertices[v])));
  }
  if (FileNormalsUsable(mesh)) {
    const aiMatrix3x3 normalMatrix = NormalMatrix(world);
    for (unsigned v = 0; v < mesh.mNumVertices; ++v) {
      aiVector3D normal = normalMatrix * mesh.mNormals[v];
      if (!IsFinite(normal)) {
        normal = aiVector3D(0.0f, 0.0f, 0.0f);
      }
      result.SetVertexNormal(static_cast<int>(v), TS_3fVector(normal.x, normal.y, normal.z));
    }
  }
  // A mirroring placement turns the winding inside out; swapping two corners
  // keeps the faces turned the way their normals point.
  const bool mirrored = aiMatrix3x3(world).Determinant() < 0.0f;
  int face = 0;
  for (unsigned f = 0; f < mesh.mNumFaces; ++f) {
    const aiFace& source = mesh.mFaces[f];
    if (!IsTriangleOf(source, mesh.mNumVertices)) {
      continue;
    }
    if (!HasFiniteCorners(source, mesh.mVertices)) {
      ++invalidFaces;
      continue;
    }
    const auto a = static_cast<int>(source.mIndices[0]);
    const auto b = static_cast<int>(source.mIndices[mirrored ? 2 : 1]);
    const auto c = static_cast<int>(source.mIndices[mirrored ? 1 : 2]);
    if (a != b && b != c && a != c && result.SetTriangle(face, a, b, c)) {
      ++face;
    }
  }
  result.Compact();
  return result;
}

namespace {

bool GetDiffuse(const aiMaterial& material, aiColor4D& color) {
  return material.Get(AI_MATKEY_BASE_COLOR, color) == aiReturn_SUCCESS ||
         material.Get(AI_MATKEY_COLOR_DIFFUSE, color) == aiReturn_SUCCESS;
}

// Formats without materials get one made up by the importer, named by it or
// not named at all, in a colour that differs from format to format (often
// white, invisible as pencil on white paper). An unnamed material that does
// carry a colour of its own is taken as meant.
bool IsStandIn(const aiMaterial& material) {
  aiString name;
  if (material.Get(AI_MATKEY_NAME, name) == aiReturn_SUCCESS && name.length > 0) {
    return name == aiString(AI_DEFAULT_MATERIAL_NAME);
  }
  aiColor4D color;
  return !GetDiffuse(material, color) || (color.r >= 1.0f && color.g >= 1.0f && color.b >= 1.0f);
}

// The mean of the mesh's first vertex colour set, for scans that carry
// their colour per point.
bool MeanVertexColor(const aiMesh& mesh, TS_Color& color) {
  if (!mesh.HasVertexColors(0) || mesh.mNumVertices == 0) {
    return false;
  }
  double r = 0.0, g = 0.0, b = 0.0;
  for (unsigned v = 0; v < mesh.mNumVertices; ++v) {
    r += mesh.mColors[0][v].r;
    g += mesh.mColors[0][v].g;
    b += mesh.mColors[0][v].b;
  }
  const double count = mesh.mNumVertices;
  color.SetFractionalRGB(r / count, g / count, b / count);
  return std::isfinite(r) && std::isfinite(g) && std::isfinite(b);
}

}  // namespace

TS_Color DiffuseColor(const aiMaterial& material) {
  aiColor4D color;
  if (IsStandIn(material) || !GetDiffuse(material, color)) {
    return NeutralGrey();
  }
  return ColorFrom(aiColor3D(color.r, color.g, color.b));
}

TS_Color ObjectColor(const aiMesh& mesh, const aiMaterial* material) {
  if (material != nullptr && !IsStandIn(*material)) {
    return DiffuseColor(*material);
  }
  TS_Color color;
  return MeanVertexColor(mesh, color) ? color : NeutralGrey();
}

TS_Material ConvertMaterial(const aiMaterial& material) {
  TS_Material result;
  result.SetDiffuse(DiffuseColor(material));
  aiColor3D color;
  if (material.Get(AI_MATKEY_COLOR_AMBIENT, color) == aiReturn_SUCCESS) {
    result.SetAmbient(ColorFrom(color));
  }
  if (material.Get(AI_MATKEY_COLOR_SPECULAR, color) == aiReturn_SUCCESS) {
    result.SetSpecular(ColorFrom(color));
  }
  if (material.Get(AI_MATKEY_COLOR_EMISSIVE, color) == aiReturn_SUCCESS) {
    result.SetEmission(ColorFrom(color));
  }
  float opacity = 1.0f;
  if (material.Get(AI_MATKEY_OPACITY, opacity) == aiReturn_SUCCESS && std::isfinite(opacity)) {
    result.SetTransparency(1.0 - opacity);
  }
  return result;
}

bool ConvertLight(const aiLight& light, const aiMatrix4x4& world, TS_Light& result) {
  result = TS_Light();
  switch (light.mType) {
    case aiLightSource_DIRECTIONAL: result.SetStyle(TS::world_directional_light); break;
    case aiLightSource_POINT: result.SetStyle(TS::world_point_light); break;
    case aiLightSource_SPOT: result.SetStyle(TS::world_spot_light); break;
    default: return false;
  }
  const aiVector3D position = world * light.mPosition;
  if (IsFinite(position)) {
    result.SetLocation(ToPoint(position));
  }
  const aiVector3D direction = TransformDirection(world, light.mDirection);
  if (IsFinite(direction)) {
    result.SetDirection(ToVector(direction));  // a zero direction is refused and keeps the default
  }
  // Light colours may exceed one: the brightest channel becomes the intensity.
  const aiColor3D& color = light.mColorDiffuse;
  const float brightest = std::max({color.r, color.g, color.b});
  if (std::isfinite(brightest) && brightest > 0.0f) {
    result.SetDiffuse(ColorFrom(aiColor3D(color.r / brightest, color.g / brightest, color.b / brightest)));
    result.SetIntensity(brightest);
  }
  if (light.mType == aiLightSource_SPOT && std::isfinite(light.mAngleOuterCone)) {
    result.SetSpotAngleRadians(std::clamp(0.5 * light.mAngleOuterCone, 0.0, std::numbers::pi / 2.0));
  }
  return true;
}

CameraConventions CameraConventionsFor(const std::string& extension) {
  if (extension == ".gltf" || extension == ".glb") {
    // glTF places cameras through their nodes only. Until 5.3 the importer
    // also stored the vertical opening times the aspect as the angle.
    const bool before53 = aiGetVersionMajor() < 5 || (aiGetVersionMajor() == 5 && aiGetVersionMinor() < 3);
    return {true, before53 ? FieldOfView::VerticalTimesAspect : FieldOfView::FullHorizontal};
  }
  if (extension == ".fbx") {
    return {false, FieldOfView::HalfHorizontal};
  }
  return {};
}

namespace {

struct HalfOpening {
  double width;
  double height;
};

// Half the frustum's width and height at distance one from the camera.
HalfOpening OpeningOf(const aiCamera& camera, FieldOfView convention, double aspect) {
  const double angle = camera.mHorizontalFOV;
  switch (convention) {
    case FieldOfView::HalfHorizontal: {
      const double width = std::tan(std::clamp(angle, 0.005, 1.5));
      return {width, width / aspect};
    }
    case FieldOfView::VerticalTimesAspect: {
      const double vertical = angle / (camera.mAspect > 0.0f ? camera.mAspect : 1.0f);
      const double height = std::tan(0.5 * std::clamp(vertical, 0.01, 3.0));
      return {height * aspect, height};
    }
    case FieldOfView::FullHorizontal: break;
  }
  const double width = std::tan(0.5 * std::clamp(angle, 0.01, 3.0));
  return {width, width / aspect};
}

}  // namespace

bool ConvertCamera(const aiCamera& camera, const aiMatrix4x4& world, const CameraConventions& conventions,
                   TS_Viewport& result) {
  const aiVector3D position = conventions.positionFromNodeOnly ? aiVector3D(0.0f, 0.0f, 0.0f) : camera.mPosition;
  const aiVector3D location = world * position;
  const aiVector3D direction = TransformDirection(world, camera.mLookAt);
  const aiVector3D up = TransformDirection(world, camera.mUp);
  if (!IsFinite(location) || !IsFinite(direction) || !IsFinite(up)) {
    return false;
  }
  TS_Viewport viewport;
  viewport.SetCameraLocation(ToPoint(location));
  if (!viewport.SetCameraDirection(ToVector(direction)) || !viewport.SetCameraUp(ToVector(up))) {
    return false;
  }
  TS_3dPoint unusedLocation;
  TS_3dVector x, y, z;
  if (!viewport.GetCameraFrame(unusedLocation, x, y, z)) {
    return false;  // up parallel to the view direction
  }
  const double aspect = camera.mAspect > 0.0f && std::isfinite(camera.mAspect) ? camera.mAspect : 4.0 / 3.0;
  const double nearDistance = camera.mClipPlaneNear > 0.0f ? camera.mClipPlaneNear : 0.1;
  const double farDistance = camera.mClipPlaneFar > nearDistance ? camera.mClipPlaneFar : 1000.0 * nearDistance;
  if (camera.mOrthographicWidth > 0.0f && std::isfinite(camera.mOrthographicWidth)) {
    const double halfWidth = camera.mOrthographicWidth;
    viewport.SetProjection(TS::parallel_view);
    viewport.SetFrustum(-halfWidth, halfWidth, -halfWidth / aspect, halfWidth / aspect, nearDistance, farDistance);
  } else {
    const HalfOpening opening = OpeningOf(camera, conventions.fieldOfView, aspect);
    viewport.SetProjection(TS::perspective_view);
    viewport.SetFrustum(-opening.width * nearDistance, opening.width * nearDistance, -opening.height * nearDistance,
                        opening.height * nearDistance, nearDistance, farDistance);
  }
  result = viewport;
  return true;
}

}  // namespace tessel::detail
