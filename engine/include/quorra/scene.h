// What a host hands to a render: meshes, point lights and the camera.
#pragma once

#include <quorra/array.h>
#include <quorra/export.h>
#include <quorra/geometry.h>
#include <quorra/object.h>

#include <cstdint>

namespace Npr {

// A point light in world coordinates.
struct Light {
  double intensity = 1.0;
  Ge::Point3d position;
};

// The camera and the target picture. The two leading values belong to the
// host; the engine neither reads nor writes them.
struct View {
  std::int32_t hostValues[2] = {0, 0};
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::int32_t projection = 2;  // 1 parallel, 2 perspective
  double frustumLeft = 0.0;
  double frustumRight = 0.0;
  double frustumBottom = 0.0;
  double frustumTop = 0.0;
  double frustumNear = 0.0;
  double frustumFar = 0.0;
  Ge::Point3d cameraLocation;
  Ge::Vector3d cameraDirection;
  Ge::Vector3d cameraUp;
};

class QUORRA_API Scene : public Object {
public:
  // Stores a copy; returns the mesh count afterwards.
  virtual unsigned addMesh(const Ge::Mesh& mesh) = 0;
  // Unchecked: index below meshCount().
  virtual const Ge::Mesh* mesh(unsigned index) const = 0;
  virtual unsigned meshCount() const = 0;
  // Stores a copy; returns the light count afterwards.
  virtual unsigned addLight(const Light& light) = 0;
  // Unchecked: index below lightCount().
  virtual const Light* light(unsigned index) const = 0;
  virtual unsigned lightCount() const = 0;

protected:
  Scene() = default;
  ~Scene() override = default;
};

// The facade's own scene, made by Engine::createScene. A copy that cannot
// be stored whole is left out and the count stays as it was.
class QUORRA_API NprScene : public Scene {
public:
  NprScene() = default;
  ~NprScene() override;
  NprScene(const NprScene&) = delete;
  NprScene& operator=(const NprScene&) = delete;

  unsigned addMesh(const Ge::Mesh& mesh) override;
  const Ge::Mesh* mesh(unsigned index) const override;
  unsigned meshCount() const override;
  unsigned addLight(const Light& light) override;
  const Light* light(unsigned index) const override;
  unsigned lightCount() const override;

private:
  Array<Ge::Mesh*, MemoryDynBuffer<Ge::Mesh*>, 8> mMeshes;
  Array<Light, MemoryDynBuffer<Light>, 8> mLights;
};

}  // namespace Npr
