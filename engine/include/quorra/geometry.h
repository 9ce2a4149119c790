// The host's geometry as the facade takes it: plain points and vectors in
// double precision, and meshes of triangles and quads with their colour.
#pragma once

#include <quorra/array.h>
#include <quorra/color.h>
#include <quorra/export.h>

#include <cstdint>

namespace Npr::Ge {

struct Point2d {
  double x = 0.0;
  double y = 0.0;
  static int dimension() { return 2; }
  operator const double*() const { return &x; }
  friend bool operator==(const Point2d&, const Point2d&) = default;
};

struct Vector2d {
  double x = 0.0;
  double y = 0.0;
  static int dimension() { return 2; }
  operator const double*() const { return &x; }
  friend bool operator==(const Vector2d&, const Vector2d&) = default;
};

struct Point3d {
  double x = 0.0;
  double y = 0.0;
  double z = 0.0;
  static int dimension() { return 3; }
  operator const double*() const { return &x; }
  friend bool operator==(const Point3d&, const Point3d&) = default;
};

struct Vector3d {
  double x = 0.0;
  double y = 0.0;
  double z = 0.0;
  static int dimension() { return 3; }
  operator const double*() const { return &x; }
  friend bool operator==(const Vector3d&, const Vector3d&) = default;
};

class QUORRA_API Mesh {
public:
  // Four vertex indices; a triangle repeats its third index as the fourth.
  struct QUORRA_API Face {
    std::uint32_t i = 0;
    std::uint32_t j = 0;
    std::uint32_t k = 0;
    std::uint32_t l = 0;

    bool isTriangle() const { return k == l; }
    bool isQuad() const { return k != l; }
    // No corner repeated, apart from a triangle's repeated last index.
    bool isValid() const;
    // Reverses the orientation, keeping the first corner.
    void flip();

    friend bool operator==(const Face&, const Face&) = default;
  };

  template <class T>
  using List = Array<T, MemoryDynBuffer<T>, 8>;

  // Vertex normals are either empty or one per vertex. The host values are
  // the host's own; the facade carries them along but never reads them.
  // Colour 0 is the mesh's colour; a mesh handed to a render must have one.
  List<Point3d>& vertices() { return mVertices; }
  List<Vector3d>& vertexNormals() { return mVertexNormals; }
  List<Face>& faces() { return mFaces; }
  List<Vector3d>& hostValues() { return mHostValues; }
  List<Gs::Color>& colors() { return mColors; }
  const List<Point3d>& vertices() const { return mVertices; }
  const List<Vector3d>& vertexNormals() const { return mVertexNormals; }
  const List<Face>& faces() const { return mFaces; }
  const List<Vector3d>& hostValues() const { return mHostValues; }
  const List<Gs::Color>& colors() const { return mColors; }

  // The face is valid and all its indices name vertices of this mesh.
  bool isValid(const Face& face) const;

private:
  List<Point3d> mVertices;
  List<Vector3d> mVertexNormals;
  List<Face> mFaces;
  List<Vector3d> mHostValues;
  List<Gs::Color> mColors;
};

}  // namespace Npr::Ge
