// Finding a node's feature edges for one render the way every shader does:
// with the render's camera, a style's crease threshold, and the chaining its
// switches ask for.
#pragma once

#include <linvale/export.h>
#include <linvale/node.h>
#include <linvale/npr_edge_kinds.h>
#include <tessel/ts_viewport.h>

// A style keeps its crease threshold as the angle in degrees between two
// faces at which they stop reading as one surface (180: flat); edge
// extraction wants the least angle in radians between their normals.
LINVALE_API double NprCreaseAngle(double thresholdDegree);

// Appends the node's silhouette, crease and border lines as seen through
// `viewport`, creases by the style's threshold in degrees.
LINVALE_API void NprComputeNodeEdges(Node& node, const TS_Viewport& viewport, double thresholdDegree);

// Chains the lines of every kind switched on into polylines. With both
// silhouettes and creases on, a silhouette line that is also a crease is
// dropped first, so it is drawn once, as a crease.
LINVALE_API void NprChainNodeEdges(Node& node, NprEdgeSwitches switches);

class NprRenderProgress;
class Scene;

// NprComputeNodeEdges, then with `chainSwitches` NprChainNodeEdges, for
// every node of `scene`. Nodes are independent, so several are done at once,
// one thread per processor; each node's lines are the same as when done
// alone. `progress` gets a step per node, on the calling thread; a cancel
// request lets the nodes under way finish and then stops the render
// (NprShader::StopReason::Canceled).
LINVALE_API void NprComputeSceneEdges(Scene* scene, const TS_Viewport& viewport, double thresholdDegree,
                                      const NprRenderProgress& progress,
                                      const NprEdgeSwitches* chainSwitches = nullptr);
