// Building blocks the shader plug-ins share: camera and background set-up, the per-vertex light value that
// drives both the cartoon ramp and the sketch fill, texture loading, showing
// intermediate pictures and reporting a failure to the user.
//
// Every function expects the render's GL context to be current unless it
// says otherwise, and none of them throws.
#pragma once

#include <linvale/export.h>
#include <linvale/node.h>
#include <tessel/ts_array.h>
#include <tessel/ts_light.h>
#include <tessel/ts_mesh.h>
#include <tessel/ts_point.h>
#include <tessel/ts_viewport.h>
#include <windows.h>

#include <array>

// Loads `fileName` with DevIL, scales it with the triangle filter to
// `bitmapSize` and draws its pixels at the lower-left corner of the picture,
// whatever the current matrices. False when the file cannot be loaded.
LINVALE_API bool NprDrawBackgroundImage(const char* fileName, SIZE bitmapSize);

// Sets the projection matrix from the viewport's frustum (glOrtho for a
// parallel view, glFrustum for a perspective one, identity otherwise) and
// the model-view matrix looking from the camera along its direction, and
// returns the projection matrix in GL's column-major order.
LINVALE_API std::array<double, 16> NprSetCamera(const TS_Viewport& viewport);

// The light value at `vertex` with the normal `normal` (any length): the
// largest dot product of the unit normal with the unit light vector over the
// enabled world lights (directional, point, and spot lights whose cone holds
// the vertex), or `floor` when no light gives more.
LINVALE_API double NprLightValue(const TS_3dPoint& vertex, const TS_3dVector& normal,
                                 const TS_ClassArray<TS_Light>& lights, double floor);

// Whether a node is shaded with its mesh's vertex normals (smooth) or with
// face normals (flat), which is how meshes whose normals were computed look.
LINVALE_API bool NprUsesVertexNormals(const Node& node);

// The normals to light the three corners of triangle `face` with: vertex
// normals or the face normal as `useVertexNormals` says, all reversed when
// the face turns its back to `cameraLocation`.
LINVALE_API std::array<TS_3dVector, 3> NprFaceShadingNormals(const TS_Mesh& mesh, int face,
                                                             const TS_3dPoint& cameraLocation, bool useVertexNormals);

// Makes the image currently bound in DevIL a new 2-D GL texture with linear
// filtering and returns its name, bound; 0 when there is no image or GL
// refuses it.
LINVALE_API unsigned int NprTextureFromBoundImage();

// Loads an image file with DevIL into a new 2-D GL texture as
// NprTextureFromBoundImage does; 0 when the file cannot be loaded.
LINVALE_API unsigned int NprLoadTexture(const char* fileName);

// Shows `text` in an error box captioned `caption`, owned by the default
// host's main window.
LINVALE_API void NprShowErrorBox(const char* text, const char* caption);

// When the system's last error is not 0, shows its text in an error box
// captioned `caption`, owned by the default host's main window.
LINVALE_API void NprShowLastErrorBox(const char* caption);
