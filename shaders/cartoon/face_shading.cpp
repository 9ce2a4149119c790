// Nearest filtering keeps the bands hard: the light value is interpolated
// across a triangle, but the colour is only ever one ramp entry.
#include "face_shading.h"

#include <linvale/npr_shader_support.h>

#include <GL/gl.h>

namespace {

static_assert(sizeof(RampColor) == 3 * sizeof(float), "the ramp is uploaded as packed RGB floats");

// A light value of exactly 1 (a face looking straight at the light) would
// wrap round to the shadow entry with the default repeat mode; clamping
// keeps it in the highlight.
GLuint UploadRamp(const ShadingRamp& ramp) {
  GLuint texture = 0;
  glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_1D, texture);
  glTexParameteri(GL_TEXTURE_1D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_1D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_1D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
  glTexImage1D(GL_TEXTURE_1D, 0, GL_RGB, kRampEntries, 0, GL_RGB, GL_FLOAT, ramp.data());
  glEnable(GL_TEXTURE_1D);
  return texture;
}

void ReleaseRamp(GLuint texture) {
  glBindTexture(GL_TEXTURE_1D, 0);
  glDeleteTextures(1, &texture);
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
  const GLuint texture = UploadRamp(BuildShadingRamp(inputs.settings, material, inputs.ambient));
  DrawLitTriangles(node, inputs);
  ReleaseRamp(texture);
}
