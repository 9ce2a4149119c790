#include "face_fill.h"

#include <GL/gl.h>

namespace linvale::sketch {

namespace {

void EmitTriangle(const TS_Mesh& mesh, int face) {
  const TS_MeshFace& f = mesh.Face(face);
  for (int corner = 0; corner < 3; ++corner) {
    const TS_3fPoint& v = mesh.Vertex(f.vi[corner]);
    glVertex3f(v.x, v.y, v.z);
  }
}

}  // namespace

void DrawOccludingFaces(const Node& node, const std::array<double, 3>& background) {
  const TS_Mesh& mesh = node.m_mesh;
  glColor3d(background[0], background[1], background[2]);
  glBegin(GL_TRIANGLES);
  for (int face = 0; face < mesh.FaceCount(); ++face) {
    EmitTriangle(mesh, face);
  }
  glEnd();
}

void DrawMaterialFaces(const Node& node) {
  const TS_Mesh& mesh = node.m_mesh;
  const TS_Color diffuse = node.m_material.Diffuse();
  glColor3d(diffuse.FractionRed(), diffuse.FractionGreen(), diffuse.FractionBlue());
  for (int face = 0; face < mesh.FaceCount(); ++face) {
    glBegin(GL_TRIANGLES);
    EmitTriangle(mesh, face);
    glEnd();
  }
}

}  // namespace linvale::sketch
