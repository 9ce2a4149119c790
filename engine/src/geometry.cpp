#include <quorra/geometry.h>

#include <utility>

namespace Npr::Ge {

bool Mesh::Face::isValid() const { return i != j && k != i && k != j && (k == l || (l != i && l != j)); }

void Mesh::Face::flip() {
  if (isTriangle()) {
    std::swap(j, k);
    l = k;
  } else {
    std::swap(j, l);
  }
}

bool Mesh::isValid(const Face& face) const {
  const unsigned count = mVertices.length();
  return face.i < count && face.j < count && face.k < count && face.l < count && face.isValid();
}

}  // namespace Npr::Ge
