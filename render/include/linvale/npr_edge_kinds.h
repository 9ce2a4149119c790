// The three kinds of feature edge a style can draw, keeping their short
// names of style keys and node members: sil (silhouette), dis
// (discontinuity, i.e. crease) and end (border). A pass picks what a kind
// means on a node from one table instead of spelling the members out per
// kind, and reads a style's three switches in one place.
#pragma once

#include <linvale/export.h>
#include <linvale/node.h>

enum class NprEdgeKind { Silhouette, Crease, Border };

// Which kinds a style draws.
struct NprEdgeSwitches {
  bool silhouettes = false;
  bool creases = false;
  bool borders = false;

  bool Draws(NprEdgeKind kind) const {
    switch (kind) {
      case NprEdgeKind::Silhouette: return silhouettes;
      case NprEdgeKind::Crease: return creases;
      case NprEdgeKind::Border: return borders;
    }
    return false;
  }
  bool Any() const { return silhouettes || creases || borders; }
  int Count() const { return int{silhouettes} + int{creases} + int{borders}; }
};

// The switches of a shader's settings record, whose integer members
// silEdges, disEdges and endEdges are non-zero for a kind that is drawn.
template <typename Settings>
NprEdgeSwitches NprEdgeSwitchesOf(const Settings& settings) {
  return {settings.silEdges != 0, settings.disEdges != 0, settings.endEdges != 0};
}

// A kind's collections on a node and the operation that chains its lines
// into polylines (emptying the lines).
struct NprEdgeKindMembers {
  NprEdgeKind kind;
  // "sil", "dis" or "end", as style keys and member names spell it.
  const char* key;
  TS_ClassArray<TS_Line> Node::*lines;
  TS_ClassArray<TS_3dPointArray> Node::*polylines;
  TS_ClassArray<TS_3dPointArray> Node::*normalPolylines;
  void (Node::*chain)();
};

LINVALE_API const NprEdgeKindMembers& NprMembersOf(NprEdgeKind kind);
