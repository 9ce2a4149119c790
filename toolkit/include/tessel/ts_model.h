// A model read from a file in one of the common interchange formats (OBJ,
// STL, PLY, glTF, 3DS, Collada, FBX, IFC and whatever else the importer
// knows) or from a CAD system's exchange file (STEP, IGES, or a B-rep file
// of the CAD kernel the toolkit uses): its triangle meshes with their
// colours, its lights and its cameras, all in world coordinates.
#pragma once

#include <tessel/ts_array.h>
#include <tessel/ts_brep.h>
#include <tessel/ts_color.h>
#include <tessel/ts_light.h>
#include <tessel/ts_material.h>
#include <tessel/ts_mesh.h>
#include <tessel/ts_string.h>
#include <tessel/ts_viewport.h>

#include <cstdint>
#include <functional>
#include <memory>

// One placed mesh of the model. A mesh the file places several times gives
// one object per placement.
struct TS_ModelObject {
  TS_String name;
  // Triangles only. Vertex normals are present exactly when the file
  // supplied usable ones; a consumer computes them otherwise.
  TS_Mesh mesh;
  // The material's diffuse colour. When the file has no material of its
  // own, the mean of the vertex colours or, without those, a neutral grey.
  TS_Color color;
  // Index into TS_Model::m_materials, -1 for none.
  int material = -1;
  // The boundary form, for objects a CAD file describes by their surfaces;
  // null for plain meshes. Such an object's mesh stays empty until the
  // reader of the model meshes the form. The reader makes one object per
  // solid or free shell and colour of a placed part, and the objects of
  // one part share its form, which meshes to all of them.
  std::shared_ptr<const TS_Brep> brep;
};

// How far an isolated read lets the importer go.
struct TS_ModelReadLimits {
  // Processor seconds the importer may spend; the reader waits twice as
  // long in wall time before it gives up on an importer that is blocked.
  unsigned seconds = 60;
  // Address space the importer may take on; 0 for a budget from the size
  // of the model's data.
  std::uint64_t memoryBytes = 0;
  // Asked several times a second while the importer works; true stops it
  // and fails the read.
  std::function<bool()> canceled;
  // How closely objects with a boundary form are meshed, and what meshing
  // them may cost: past either budget the reader meshes once more at
  // coarser tolerances (with a warning in m_warnings), and fails when the
  // coarser mesh is over budget too.
  TS_MeshParameters meshing;
  std::uint64_t meshTriangles = 20'000'000;
  double meshSeconds = 20.0;
  // Told the fraction of reading and meshing done, from 0 to 1, at most
  // ten times a second, while a CAD file is read. In an isolated read it
  // is called from the reading thread of the caller.
  std::function<void(double)> progress;
  // Whether objects keep their boundary form. A caller that only draws the
  // meshes saves handing the forms over from an isolated read.
  bool keepBreps = true;
};

class TS_Model {
public:
  // Replaces the content with the model in `path` (UTF-8), read inside the
  // calling process: for files the host trusts. On failure the model is
  // left empty, `error` says why in one line and the result is false; a
  // file without any triangle counts as a failure. Anything but a regular
  // file is refused without being opened. Of `limits`, only the meshing
  // members, `canceled` and `progress` apply.
  bool Read(const char* path, TS_String& error, const TS_ModelReadLimits& limits = {});

  // Like Read, but the importer runs in a child process within `limits`, so
  // a damaged file that makes it crash, loop or exhaust memory fails the
  // read (with the reason in `error`) instead of taking the caller down.
  // The caller must not be ignoring SIGCHLD.
  bool ReadIsolated(const char* path, TS_String& error, const TS_ModelReadLimits& limits = {});

  // Axis-aligned box around all objects; false when there are none.
  bool GetBoundingBox(TS_3dPoint& min, TS_3dPoint& max) const;

  void Destroy();

  TS_ClassArray<TS_ModelObject> m_objects;
  TS_ClassArray<TS_Material> m_materials;
  // World directional, point and spot lights (styles 7, 8 and 9).
  TS_ClassArray<TS_Light> m_lights;
  // The direction the model takes as up: the file's own axis when it names
  // one, +z for STL, 3MF, AMF and Blender files (CAD, 3-D printing and
  // Blender keep z up), else +y, the axis the importer turns the others to.
  TS_3dVector m_up{0.0, 0.0, 1.0};
  // The file's cameras in file order. The screen port is left at its
  // default; the frustum has the camera's own aspect.
  TS_ClassArray<TS_Viewport> m_views;
  // Faces left out because a corner is not a finite point; the rest of
  // their mesh is kept.
  std::uint64_t m_invalidFaces = 0;
  // What the reader had to give up on without failing (coarser meshes).
  TS_ClassArray<TS_String> m_warnings;
  // Wall time spent reading the file, whatever its format, and meshing its
  // boundary forms (CAD files only).
  double m_readSeconds = 0.0;
  double m_meshSeconds = 0.0;
};

// TS_Model::ReadIsolated in two halves: the importer starts in its child
// process when this is made, and Finish collects the model, so the caller
// can prepare the rest of its work while the importer reads. The limits'
// wall time counts from the start. Destroying it unfinished stops the
// importer.
class TS_IsolatedModelRead {
public:
  explicit TS_IsolatedModelRead(const char* path, const TS_ModelReadLimits& limits = {});
  ~TS_IsolatedModelRead();
  TS_IsolatedModelRead(const TS_IsolatedModelRead&) = delete;
  TS_IsolatedModelRead& operator=(const TS_IsolatedModelRead&) = delete;

  // Waits for the importer and fills `model` as ReadIsolated would; the
  // second call fails.
  bool Finish(TS_Model& model, TS_String& error);

private:
  struct Reading;
  std::unique_ptr<Reading> mReading;
};
