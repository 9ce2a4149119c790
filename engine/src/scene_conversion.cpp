#include "scene_conversion.h"

#include <linvale/scene_builder.h>

#include <exception>
#include <memory>
#include <vector>

namespace quorra {

namespace {

// A mesh handed over without a colour is drawn in mid grey rather than
// read past its colour array.
constexpr std::uint32_t kMissingColor = 0x808080u;

TS_3dPoint ToToolkit(const Npr::Ge::Point3d& p) { return TS_3dPoint(p.x, p.y, p.z); }
TS_3dVector ToToolkit(const Npr::Ge::Vector3d& v) { return TS_3dVector(v.x, v.y, v.z); }

// One pass over the host's arrays into the toolkit mesh's own arrays, which
// the mesh then takes over without a further copy. Faces that break the
// face rules are left out here; vertices no face uses stay for Compact.
bool FillMesh(const Npr::Ge::Mesh& source, TS_Mesh& mesh) {
  const auto& vertices = source.vertices();
  const auto& normals = source.vertexNormals();
  const auto& faces = source.faces();
  std::vector<TS_3fPoint> points;
  points.reserve(vertices.length());
  for (unsigned v = 0; v < vertices.length(); ++v) {
    const Npr::Ge::Point3d& p = vertices.at(v);
    points.emplace_back(static_cast<float>(p.x), static_cast<float>(p.y), static_cast<float>(p.z));
  }
  std::vector<TS_MeshFace> meshFaces;
  meshFaces.reserve(faces.length());
  for (unsigned f = 0; f < faces.length(); ++f) {
    const Npr::Ge::Mesh::Face& face = faces.at(f);
    if (!source.isValid(face)) {
      continue;
    }
    meshFaces.push_back(TS_MeshFace{
        {static_cast<int>(face.i), static_cast<int>(face.j), static_cast<int>(face.k), static_cast<int>(face.l)}});
  }
  std::vector<TS_3fVector> vertexNormals;
  if (normals.length() == vertices.length()) {
    vertexNormals.reserve(normals.length());
    for (unsigned v = 0; v < normals.length(); ++v) {
      const Npr::Ge::Vector3d& n = normals.at(v);
      vertexNormals.emplace_back(static_cast<float>(n.x), static_cast<float>(n.y), static_cast<float>(n.z));
    }
  }
  return mesh.Assign(std::move(points), std::move(meshFaces), std::move(vertexNormals));
}

// Returns false when nothing drawable is left.
bool PrepareMesh(Node& node) {
  TS_Mesh& mesh = node.m_mesh;
  if (!mesh.Compact() || mesh.FaceCount() == 0 || !mesh.ConvertQuadsToTriangles()) {
    return false;
  }
  if (!mesh.HasFaceNormals()) {
    if (!mesh.ComputeFaceNormals()) {
      return false;
    }
    mesh.UnitizeFaceNormals();
  }
  if (!mesh.HasVertexNormals()) {
    if (!mesh.ComputeVertexNormals()) {
      return false;
    }
    node.setHadVertexNormals(false);
    node.setHadOriginalVertexNormals(false);
  }
  mesh.UnitizeVertexNormals();
  return true;
}

TS_Color MeshColor(const Npr::Ge::Mesh& mesh) {
  return TS_Color(mesh.colors().isEmpty() ? kMissingColor : static_cast<unsigned>(mesh.colors().at(0)));
}

TS_Light WorldPointLight(const Npr::Light& source) {
  TS_Light light;
  light.SetIntensity(source.intensity);
  light.SetLocation(ToToolkit(source.position));
  light.SetStyle(TS::world_point_light);
  return light;
}

}  // namespace

TS_Viewport ViewportFromView(const Npr::View& view, SIZE target) {
  TS_Viewport viewport;
  viewport.SetProjection(static_cast<TS::view_projection>(view.projection));
  viewport.SetFrustum(view.frustumLeft, view.frustumRight, view.frustumBottom, view.frustumTop, view.frustumNear,
                      view.frustumFar);
  viewport.SetCameraLocation(ToToolkit(view.cameraLocation));
  viewport.SetCameraDirection(ToToolkit(view.cameraDirection));
  viewport.SetCameraUp(ToToolkit(view.cameraUp));
  viewport.SetScreenPort(0, target.cx - 1, target.cy - 1, 0, 0, 0);
  if (target.cy != 0) {
    viewport.SetFrustumAspect(static_cast<double>(target.cx) / target.cy);
  }
  return viewport;
}

bool AppendMeshNode(::Scene& scene, const Npr::Ge::Mesh& mesh) {
  try {
    // Until EndNode the node is ours to delete should anything fail.
    std::unique_ptr<Node> node(scene.BeginNode());
    if (node == nullptr || !FillMesh(mesh, node->m_mesh) || !PrepareMesh(*node)) {
      return false;
    }
    node->m_material = NprMaterialForColor(MeshColor(mesh));
    // The node's kept original mesh stays empty: nothing in the renderer or
    // the facade reads it, and a copy of the prepared mesh would double the
    // conversion's time and memory on large models.
    scene.EndNode(node.get());
    node.release();
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

void ConvertScene(const Npr::Scene& source, const TS_Viewport& viewport, ::Scene& target) {
  // The count is asked again after each mesh, as a host's scene may change
  // while it is read.
  for (unsigned i = 0; i < source.meshCount(); ++i) {
    AppendMeshNode(target, *source.mesh(i));
  }
  for (unsigned i = 0; i < source.lightCount(); ++i) {
    target.Lights().Append(WorldPointLight(*source.light(i)));
  }
  NprAddDefaultLightIfNone(target, viewport);
}

}  // namespace quorra
