// The Cartoon's vector form: the same edges the picture outlines, each kind
// in its width and colour, chained into polylines, and on request the faces
// in their shading bands as flat polygons.
#pragma once

#include "cartoon_settings.h"

#include <linvale/node.h>
#include <linvale/npr_edge_kinds.h>
#include <linvale/npr_render_settings.h>
#include <linvale/npr_vector_canvas.h>
#include <linvale/scene.h>
#include <tessel/ts_viewport.h>

namespace linvale::cartoon {

// `settings` carries the drawn size (doubled for the best antialiasing).
// The scene's edge collections are empty again afterwards.
void DrawCartoonVector(const CartoonSettings& cartoon, const TS_Viewport& viewport, const NprRenderSettings& settings,
                       Scene* scene, NprVectorCanvas& canvas);

// An edge that is both a silhouette and a crease is outlined twice in the
// picture, the crease on top; a drawing keeps it once, as the kind that
// shows: the wider, or the crease when both are as wide.
NprEdgeKind ShownKindOfSharedEdge(const CartoonSettings& cartoon);

// Removes from `node`'s lines of kind `drop` every line that is also a line
// of kind `keep` (in either direction), with its normal line.
void DropSharedLines(Node& node, NprEdgeKind drop, NprEdgeKind keep);

}  // namespace linvale::cartoon
