// One mesh of a scene with its material and the feature edges found on it.
#pragma once

#include <linvale/export.h>

#include <tessel/ts_array.h>
#include <tessel/ts_defines.h>
#include <tessel/ts_line.h>
#include <tessel/ts_material.h>
#include <tessel/ts_mesh.h>
#include <tessel/ts_point.h>

// Edge kinds keep their short names: sil (silhouette), dis (discontinuity,
// i.e. crease) and end (border). Every normal collection runs parallel to
// its position collection: element i holds, as points, the vertex normals at
// the points of element i. Shaders and producers read and write the members
// directly, so they are public and their order is part of the interface.
class LINVALE_API Node {
public:
  Node();
  virtual ~Node();
  Node(const Node&);
  Node& operator=(const Node&);

  void setOriginalMesh(const TS_Mesh* mesh);
  void setOriginalMesh(TS_Mesh mesh);
  TS_Mesh getOriginalMesh() const;
  void setHadVertexNormals(bool had) { m_hadVertexNormals = had; }
  bool getHadVertexNormals() const { return m_hadVertexNormals; }
  void setHadOriginalVertexNormals(bool had) { m_hadOriginalVertexNormals = had; }
  bool getHadOriginalVertexNormals() const { return m_hadOriginalVertexNormals; }

  // Empties all twelve edge collections and releases their storage.
  void deleteLines();

  // Appends the silhouette, crease and border edges of m_mesh as seen from
  // the camera to the line collections. `angle` is the least angle in
  // radians between adjacent face normals that makes a crease. m_mesh must
  // carry one vertex normal per vertex.
  void ComputeEdges(TS_3dVector viewDirection, TS_3dPoint cameraLocation, TS::view_projection projection, double angle);
  // Cosine of the angle between a and b; not a number when either is zero.
  static double CalculaAnguloEntreAxis(TS_3dVector a, TS_3dVector b);

  // Removes from the silhouette lines every line that is also a crease line.
  void DeleteDuplicatedEdges();
  // Chain the lines of one kind into polylines, emptying the line collections.
  void ProcessSilhouettes();
  void ProcessDis();
  void ProcessEnd();
  // Cut every line of one kind longer than `length` into pieces of that
  // length; a length of zero or less changes nothing.
  void SplitSilhouettes(double length);
  void SplitDis(double length);
  void SplitEnd(double length);

  Node* m_next = nullptr;
  TS_Mesh m_mesh;
  TS_Mesh m_originalMesh;
  TS_Material m_material;
  TS_ClassArray<TS_3dPointArray> m_silPolylines;
  TS_ClassArray<TS_3dPointArray> m_silNormalPolylines;
  TS_ClassArray<TS_3dPointArray> m_endPolylines;
  TS_ClassArray<TS_3dPointArray> m_endNormalPolylines;
  TS_ClassArray<TS_3dPointArray> m_disPolylines;
  TS_ClassArray<TS_3dPointArray> m_disNormalPolylines;
  TS_ClassArray<TS_Line> m_silLines;
  TS_ClassArray<TS_Line> m_silNormalLines;
  TS_ClassArray<TS_Line> m_disLines;
  TS_ClassArray<TS_Line> m_disNormalLines;
  TS_ClassArray<TS_Line> m_endLines;
  TS_ClassArray<TS_Line> m_endNormalLines;
  bool m_hadVertexNormals = true;
  bool m_hadOriginalVertexNormals = true;
};
