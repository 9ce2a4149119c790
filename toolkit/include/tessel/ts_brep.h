// Geometry given by its boundary surfaces (a solid, a shell, an assembly of
// them), as CAD files describe it. Drawing needs triangles, so a B-rep is
// meshed on demand, to tolerances the caller picks.
#pragma once

#include <tessel/ts_array.h>
#include <tessel/ts_color.h>
#include <tessel/ts_mesh.h>

// How closely the triangles follow the surfaces.
struct TS_MeshParameters {
  // Largest distance between a triangle and its surface, as a fraction of
  // the diagonal of the shape's bounding box; used while
  // `absoluteDeflection` is 0.
  double relativeDeflection = 0.001;
  // The same distance in model units; 0 to use the relative one.
  double absoluteDeflection = 0.0;
  // Largest angle, in radians, between the normals of neighbouring
  // triangles along a curved surface.
  double angularDeflection = 0.5;
  // Mesh the faces of a shape on several threads.
  bool parallel = true;
};

// The boundary form of a model object. Implementations keep the geometry of
// one CAD kernel behind this interface, so that nothing outside the toolkit
// depends on the kernel.
class TS_Brep {
public:
  virtual ~TS_Brep() = default;

  // Appends the meshes of the shape to `meshes`: one per solid or free
  // shell, triangles only, with vertex normals. Neighbouring faces share
  // their vertices along a common edge. False, with nothing appended, when
  // the shape cannot be meshed.
  virtual bool CreateMesh(const TS_MeshParameters& parameters, TS_ClassArray<TS_Mesh>& meshes) const = 0;

  // The same meshes split further by colour: one per solid or free shell
  // and colour, `colors` parallel to `meshes`. A face's own colour wins over
  // its solid's, and faces without any take the shape's colour. A form
  // that knows no colours gives the meshes above, each in neutral grey.
  virtual bool CreateMesh(const TS_MeshParameters& parameters, TS_ClassArray<TS_Mesh>& meshes,
                          TS_SimpleArray<TS_Color>& colors) const;
};
