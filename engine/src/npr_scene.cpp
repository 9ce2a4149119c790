#include <quorra/mem.h>
#include <quorra/scene.h>

#include <new>

namespace Npr {

namespace {

// Meshes are not plain values, so the scene's array holds pointers to copies
// made in the private heap.
Ge::Mesh* CopyIntoHeap(const Ge::Mesh& mesh) {
  void* block = mem::alloc(sizeof(Ge::Mesh));
  if (block == nullptr) {
    return nullptr;
  }
  return new (block) Ge::Mesh(mesh);
}

void DestroyInHeap(Ge::Mesh* mesh) {
  mesh->~Mesh();
  mem::free(mesh);
}

template <class T>
bool SameLengths(const T& a, const T& b) {
  return a.length() == b.length();
}

// Array copies that could not get storage come back empty.
bool IsWholeCopy(const Ge::Mesh& copy, const Ge::Mesh& source) {
  return SameLengths(copy.vertices(), source.vertices()) && SameLengths(copy.vertexNormals(), source.vertexNormals()) &&
         SameLengths(copy.faces(), source.faces()) && SameLengths(copy.hostValues(), source.hostValues()) &&
         SameLengths(copy.colors(), source.colors());
}

}  // namespace

NprScene::~NprScene() {
  for (unsigned i = 0; i < mMeshes.length(); ++i) {
    DestroyInHeap(mMeshes.at(i));
  }
}

unsigned NprScene::addMesh(const Ge::Mesh& mesh) {
  Ge::Mesh* copy = CopyIntoHeap(mesh);
  if (copy == nullptr) {
    return meshCount();
  }
  if (!IsWholeCopy(*copy, mesh) || mMeshes.append(copy) == static_cast<unsigned>(-1)) {
    DestroyInHeap(copy);
  }
  return meshCount();
}

const Ge::Mesh* NprScene::mesh(unsigned index) const { return mMeshes.at(index); }

unsigned NprScene::meshCount() const { return mMeshes.length(); }

unsigned NprScene::addLight(const Light& light) {
  mLights.append(light);
  return lightCount();
}

const Light* NprScene::light(unsigned index) const { return &mLights.at(index); }

unsigned NprScene::lightCount() const { return mLights.length(); }

}  // namespace Npr
