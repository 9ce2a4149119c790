// A minimal host: one triangle in a scene, its feature edges computed.
#include <linvale/linvale.h>

#include <cstdio>

int main() {
  Scene scene;
  Node* node = scene.BeginNode();
  TS_Mesh& mesh = node->m_mesh;
  mesh.SetVertex(0, TS_3fPoint(0.0f, 0.0f, 0.0f));
  mesh.SetVertex(1, TS_3fPoint(1.0f, 0.0f, 0.0f));
  mesh.SetVertex(2, TS_3fPoint(0.0f, 1.0f, 0.0f));
  mesh.SetTriangle(0, 0, 1, 2);
  mesh.ComputeFaceNormals();
  mesh.ComputeVertexNormals();
  scene.EndNode(node);

  node->ComputeEdges(TS_3dVector(0, 0, -1), TS_3dPoint(0, 0, 10), TS::parallel_view, 0.5);
  const int borders = node->m_endLines.Count();
  std::printf("%d border edges\n", borders);
  return borders == 3 ? 0 : 1;
}
