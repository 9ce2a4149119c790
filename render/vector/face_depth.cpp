#include "face_depth.h"

#include <linvale/npr_gl_bitmap_context.h>
#include <linvale/npr_scene_nodes.h>
#include <linvale/npr_shader_support.h>

#include <GL/gl.h>

namespace linvale {

namespace {

constexpr unsigned char kDepthBits = 32;
// The offset the shaders push their faces back by, so that lines lying on
// a face are seen here exactly when they are seen in the picture.
constexpr GLfloat kPolygonOffsetFactor = 1.5f;
constexpr GLfloat kPolygonOffsetUnits = 0.1f;

void DrawFaces(const Node& node) {
  const TS_Mesh& mesh = node.m_mesh;
  glBegin(GL_TRIANGLES);
  for (const TS_MeshFace& face : mesh.Faces()) {
    for (int corner = 0; corner < 3; ++corner) {
      const TS_3fPoint& vertex = mesh.Vertex(face.vi[corner]);
      glVertex3f(vertex.x, vertex.y, vertex.z);
    }
  }
  glEnd();
}

}  // namespace

std::optional<NprVectorView> CaptureFaceDepth(const TS_Viewport& viewport, SIZE drawn, double pageScale,
                                              const Scene* scene) {
  NprGlBitmapContext context;
  if (!context.CreateBitmapContext(drawn, 0, kDepthBits, nullptr, nullptr) || !context.CreateGlContext() ||
      !context.MakeCurrent()) {
    return std::nullopt;
  }
  glViewport(0, 0, drawn.cx, drawn.cy);
  glClearDepth(1.0);
  glClear(GL_DEPTH_BUFFER_BIT);
  glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_LESS);
  glEnable(GL_POLYGON_OFFSET_FILL);
  glPolygonOffset(kPolygonOffsetFactor, kPolygonOffsetUnits);

  NprVectorView view;
  view.projection = NprSetCamera(viewport);
  glGetDoublev(GL_MODELVIEW_MATRIX, view.modelView.data());
  glGetIntegerv(GL_VIEWPORT, view.viewport.data());
  view.pageScale = pageScale;
  for (const Node& node : NprSceneNodes(scene)) {
    DrawFaces(node);
  }
  view.depth.resize(static_cast<std::size_t>(drawn.cx) * static_cast<std::size_t>(drawn.cy));
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, drawn.cx, drawn.cy, GL_DEPTH_COMPONENT, GL_FLOAT, view.depth.data());
  if (glGetError() != GL_NO_ERROR) {
    return std::nullopt;
  }
  return view;
}

}  // namespace linvale
