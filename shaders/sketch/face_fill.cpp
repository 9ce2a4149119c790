#include "face_fill.h"

#include "face_corner_arrays.h"

#include <GL/gl.h>

namespace linvale::sketch {

void DrawOccludingFaces(const Node& node, const std::array<double, 3>& background) {
  const TS_Mesh& mesh = node.m_mesh;
  glColor3d(background[0], background[1], background[2]);
  FaceCornerArrays().Draw(mesh);
}

void DrawMaterialFaces(const Node& node) {
  const TS_Mesh& mesh = node.m_mesh;
  const TS_Color diffuse = node.m_material.Diffuse();
  glColor3d(diffuse.FractionRed(), diffuse.FractionGreen(), diffuse.FractionBlue());
  FaceCornerArrays().Draw(mesh);
}

}  // namespace linvale::sketch
