#include <linvale/scene_builder.h>

#include <algorithm>
#include <cmath>
#include <exception>
#include <memory>
#include <utility>

namespace {

bool IsFinite(const TS_3fPoint& p) { return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z); }

bool IsUsableNormal(const TS_3fVector& n) {
  return std::isfinite(n.x) && std::isfinite(n.y) && std::isfinite(n.z) && !n.IsZero();
}

// A face that touches a point at infinity or NaN would poison the bounds,
// the camera fit and every edge test; it is turned into an invalid face so
// that Compact drops it.
void DiscardFacesOnNonFinitePoints(TS_Mesh& mesh) {
  const auto vertices = mesh.Vertices();
  if (std::all_of(vertices.begin(), vertices.end(), IsFinite)) {
    return;
  }
  for (int f = 0; f < mesh.FaceCount(); ++f) {
    const TS_MeshFace face = mesh.Face(f);
    const bool touchesBadPoint = std::any_of(std::begin(face.vi), std::end(face.vi), [&](int v) {
      return v >= 0 && v < mesh.VertexCount() && !IsFinite(mesh.Vertex(v));
    });
    if (touchesBadPoint) {
      mesh.SetQuad(f, 0, 0, 0, 0);
    }
  }
}

// Normals that came with the mesh but are zero or not numbers are replaced by
// computed ones; the rest of the supplied normals are kept.
void RepairSuppliedNormals(TS_Mesh& mesh) {
  const auto supplied = mesh.VertexNormals();
  if (std::all_of(supplied.begin(), supplied.end(), IsUsableNormal)) {
    return;
  }
  TS_Mesh computed = mesh;
  computed.ComputeVertexNormals();
  for (int v = 0; v < mesh.VertexCount(); ++v) {
    if (!IsUsableNormal(mesh.VertexNormal(v))) {
      mesh.SetVertexNormal(v, computed.VertexNormal(v));
    }
  }
}

// Every vertex must end with a unit normal; one used only by faces of zero
// area has none that could be computed, so it gets an arbitrary unit vector.
void FillMissingNormals(TS_Mesh& mesh) {
  for (int v = 0; v < mesh.VertexCount(); ++v) {
    if (!IsUsableNormal(mesh.VertexNormal(v))) {
      mesh.SetVertexNormal(v, TS_3fVector(0.0f, 0.0f, 1.0f));
    }
  }
}

// Returns false when nothing drawable is left.
bool PrepareWorkingMesh(TS_Mesh& mesh, bool& hadVertexNormals) {
  DiscardFacesOnNonFinitePoints(mesh);
  if (!mesh.Compact() || mesh.FaceCount() == 0 || !mesh.ConvertQuadsToTriangles()) {
    return false;
  }
  if (!mesh.HasFaceNormals()) {
    if (!mesh.ComputeFaceNormals()) {
      return false;
    }
    mesh.UnitizeFaceNormals();
  }
  hadVertexNormals = mesh.HasVertexNormals();
  if (hadVertexNormals) {
    RepairSuppliedNormals(mesh);
  } else if (!mesh.ComputeVertexNormals()) {
    return false;
  }
  mesh.UnitizeVertexNormals();
  FillMissingNormals(mesh);
  return true;
}

}  // namespace

TS_Material NprMaterialForColor(TS_Color diffuse) {
  TS_Material material;
  material.SetAmbient(diffuse);
  material.SetDiffuse(diffuse);
  TS_Color specular;
  specular.SetFractionalRGB(std::min(1.5 * diffuse.FractionRed(), 1.0), std::min(1.5 * diffuse.FractionGreen(), 1.0),
                            std::min(1.5 * diffuse.FractionBlue(), 1.0));
  material.SetSpecular(specular);
  TS_Color emission;
  emission.SetFractionalRGB(0.5 * diffuse.FractionRed(), 0.5 * diffuse.FractionGreen(), 0.5 * diffuse.FractionBlue());
  material.SetEmission(emission);
  return material;
}

namespace {

// `original` is the mesh as handed over, copied or moved into the node.
template <class OriginalMesh>
Node* AppendNode(Scene& scene, OriginalMesh&& original, TS_Color diffuse) {
  try {
    TS_Mesh working = original;
    bool hadVertexNormals = false;
    if (!PrepareWorkingMesh(working, hadVertexNormals)) {
      return nullptr;
    }
    // Until EndNode the node is ours to delete should anything fail.
    std::unique_ptr<Node> node(scene.BeginNode());
    if (node == nullptr) {
      return nullptr;
    }
    node->setHadOriginalVertexNormals(original.HasVertexNormals());
    node->setHadVertexNormals(hadVertexNormals);
    node->m_mesh = std::move(working);
    node->m_originalMesh = std::forward<OriginalMesh>(original);
    node->m_material = NprMaterialForColor(diffuse);
    scene.EndNode(node.get());
    return node.release();
  } catch (const std::exception&) {
    // Out of memory while copying: the scene stays as it was.
    return nullptr;
  }
}

}  // namespace

Node* NprAppendMeshNode(Scene& scene, const TS_Mesh& mesh, TS_Color diffuse) {
  return AppendNode(scene, mesh, diffuse);
}

Node* NprAppendMeshNode(Scene& scene, TS_Mesh&& mesh, TS_Color diffuse) {
  return AppendNode(scene, std::move(mesh), diffuse);
}

bool NprSceneBounds(const Scene& scene, TS_3dPoint& min, TS_3dPoint& max) {
  bool any = false;
  for (const Node* node = scene.First(); node != nullptr; node = node->m_next) {
    any = node->m_mesh.GetBoundingBox(min, max, any);
  }
  return any;
}
