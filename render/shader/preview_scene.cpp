#include <linvale/npr_preview_scene.h>

#include <linvale/node.h>
#include <tessel/ts_brep.h>

namespace {

// The meshes the first object stands for: its own triangles or, for an
// object a CAD file describes by its surfaces, the meshed boundary form.
bool CollectMeshes(const TS_ModelObject& object, TS_ClassArray<TS_Mesh>& meshes) {
  if (object.brep) {
    return object.brep->CreateMesh(TS_MeshParameters{}, meshes) && !meshes.IsEmpty();
  }
  if (object.mesh.FaceCount() == 0) {
    return false;
  }
  meshes.Append(object.mesh);
  return true;
}

void AppendPreviewNode(Scene& scene, const TS_Mesh& mesh, const TS_Material& material) {
  Node* node = scene.BeginNode();
  if (node == nullptr) {
    return;
  }
  node->m_mesh.Append(mesh);
  const bool hadNormals = mesh.HasVertexNormals();
  if (!hadNormals) {
    node->setHadOriginalVertexNormals(false);
  }
  node->m_originalMesh = mesh;
  TS_Mesh& working = node->m_mesh;
  working.ConvertQuadsToTriangles();
  if (!working.HasFaceNormals()) {
    working.ComputeFaceNormals();
  }
  if (!hadNormals) {
    working.ComputeVertexNormals();
    node->setHadVertexNormals(false);
  }
  working.UnitizeVertexNormals();
  node->m_material = material;
  scene.EndNode(node);
}

void TakePerspectiveCamera(const TS_Model& model, TS_Viewport& camera, bool& hasCamera) {
  for (const TS_Viewport& view : model.m_views) {
    if (!view.IsPerspectiveProjection()) {
      continue;
    }
    camera = view;
    camera.SetScreenPort(0, kNprPreviewSize, kNprPreviewSize, 0, 0, 1);
    double aspect = 1.0;
    if (camera.GetScreenPortAspect(aspect)) {
      camera.SetFrustumAspect(aspect);
    }
    hasCamera = true;
    return;
  }
}

}  // namespace

TS_Material NprDefaultPreviewMaterial() {
  TS_Material material;
  const TS_Color red(255, 0, 0);
  material.SetAmbient(red);
  material.SetDiffuse(red);
  material.SetEmission(red);
  return material;
}

bool NprBuildPreviewScene(const TS_Model& model, Scene& scene, TS_Viewport& camera, bool& hasCamera) {
  if (model.m_objects.IsEmpty() || model.m_materials.IsEmpty()) {
    return false;
  }
  TS_ClassArray<TS_Mesh> meshes;
  if (!CollectMeshes(*model.m_objects.First(), meshes)) {
    return false;
  }
  for (int i = 0; i < meshes.Count(); ++i) {
    const TS_Material material = i < model.m_materials.Count() ? model.m_materials[i] : NprDefaultPreviewMaterial();
    AppendPreviewNode(scene, meshes[i], material);
  }
  TakePerspectiveCamera(model, camera, hasCamera);
  return true;
}
