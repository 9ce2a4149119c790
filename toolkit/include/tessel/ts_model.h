// A model read from a file in one of the common interchange formats (OBJ,
// STL, PLY, glTF, 3DS, Collada, FBX, IFC and whatever else the importer
// knows): its triangle meshes with their colours, its lights and its cameras,
// all in world coordinates.
#pragma once

#include <tessel/ts_array.h>
#include <tessel/ts_color.h>
#include <tessel/ts_light.h>
#include <tessel/ts_material.h>
#include <tessel/ts_mesh.h>
#include <tessel/ts_string.h>
#include <tessel/ts_viewport.h>

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
};

class TS_Model {
public:
  // Replaces the content with the model in `path` (UTF-8). On failure the
  // model is left empty, `error` says why in one line and the result is
  // false; a file without any triangle counts as a failure.
  bool Read(const char* path, TS_String& error);

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
};
