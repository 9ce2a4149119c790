// Nearest filtering keeps the bands hard: the light value is interpolated
// across a triangle, but the colour is only ever one ramp entry.
#include "face_shading.h"

#include <linvale/npr_ramp_texture.h>
#include <linvale/npr_shader_support.h>

#include <GL/gl.h>

namespace linvale::cartoon {

namespace {

static_assert(sizeof(RampColor) == 3 * sizeof(float), "the ramp is uploaded as packed RGB floats");

void UnbindRamp() {
  glBindTexture(GL_TEXTURE_1D, 0);
  glDisable(GL_TEXTURE_1D);
}

void DrawLitTriangles(const Node& node, const FaceShadingInputs& inputs) {
  const TS_Mesh& mesh = node.m_mesh;
  const bool useVertexNormals = NprUsesVertexNormals(node);
  glColor4d(1.0, 1.0, 1.0, node.m_material.Transparency());
  glBegin(GL_TRIANGLES);
  for (int face = 0; face < mesh.FaceCount(); ++face) {
    const auto normals = NprFaceShadingNormals(mesh, face, inputs.cameraLocation, useVertexNormals);
    const TS_MeshFace& corners = mesh.Face(face);
    for (int corner = 0; corner < 3; ++corner) {
      const TS_3fPoint& vertex = mesh.Vertex(corners.vi[corner]);
      glTexCoord1d(NprLightValue(vertex, normals[static_cast<std::size_t>(corner)], inputs.lights, 0.0));
      glVertex3f(vertex.x, vertex.y, vertex.z);
    }
  }
  glEnd();
}

}  // namespace

void ShadeNodeFaces(const Node& node, const FaceShadingInputs& inputs) {
  const RampColor material = RampColorFrom(node.m_material.Diffuse());
  const ShadingRamp colours = BuildShadingRamp(inputs.settings, material, inputs.ambient);
  const NprGlTexture ramp = NprBindRampTexture(reinterpret_cast<const float*>(colours.data()), kRampEntries);
  DrawLitTriangles(node, inputs);
  UnbindRamp();
}

}  // namespace linvale::cartoon
