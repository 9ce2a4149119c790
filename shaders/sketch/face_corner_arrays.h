// Faces handed to GL as arrays of corners, a run of faces at a time, so
// that the colours of a pass can come from values worked out before it.
// The first three corners of each face make its triangle, as everywhere the
// sketch draws faces (meshes reach the renderer triangulated).
#pragma once

#include <tessel/ts_mesh.h>

#include <GL/gl.h>

#include <algorithm>
#include <array>
#include <vector>

namespace linvale::sketch {

class FaceCornerArrays {
public:
  // With the current colour.
  void Draw(const TS_Mesh& mesh) {
    DrawRuns(
        mesh, [this](const TS_Mesh& m, int face) { AddPositions(m, face); }, false);
  }

  // `colourOf(face, corner)` gives each corner's red, green, blue and alpha.
  template <typename CornerColour>
  void Draw(const TS_Mesh& mesh, CornerColour&& colourOf) {
    const auto add = [this, &colourOf](const TS_Mesh& m, int face) {
      AddPositions(m, face);
      for (int corner = 0; corner < 3; ++corner) {
        const std::array<double, 4> colour = colourOf(face, corner);
        // The conversion GL makes of glColor4d's arguments.
        mColours.insert(mColours.end(), {static_cast<float>(colour[0]), static_cast<float>(colour[1]),
                                         static_cast<float>(colour[2]), static_cast<float>(colour[3])});
      }
    };
    DrawRuns(mesh, add, true);
  }

private:
  // Short runs keep the arrays small whatever the mesh, and flushing after
  // each keeps the rasteriser's queue of binned triangles small too.
  static constexpr int kFacesPerRun = 4096;

  void AddPositions(const TS_Mesh& mesh, int face) {
    const TS_MeshFace& corners = mesh.Face(face);
    for (int corner = 0; corner < 3; ++corner) {
      const TS_3fPoint& v = mesh.Vertex(corners.vi[corner]);
      mPositions.insert(mPositions.end(), {v.x, v.y, v.z});
    }
  }

  template <typename AddFace>
  void DrawRuns(const TS_Mesh& mesh, const AddFace& addFace, bool coloured) {
    glEnableClientState(GL_VERTEX_ARRAY);
    if (coloured) {
      glEnableClientState(GL_COLOR_ARRAY);
    }
    for (int first = 0; first < mesh.FaceCount(); first += kFacesPerRun) {
      mPositions.clear();
      mColours.clear();
      const int end = std::min(mesh.FaceCount(), first + kFacesPerRun);
      for (int face = first; face < end; ++face) {
        addFace(mesh, face);
      }
      glVertexPointer(3, GL_FLOAT, 0, mPositions.data());
      if (coloured) {
        glColorPointer(4, GL_FLOAT, 0, mColours.data());
      }
      glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(mPositions.size() / 3U));
      glFlush();
    }
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
  }

  std::vector<float> mPositions;
  std::vector<float> mColours;
};

}  // namespace linvale::sketch
