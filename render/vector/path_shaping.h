// Making page paths good to edit: one path where lines meet end to end,
// no points that only restate a straight line, loops marked as closed.
#pragma once

#include <linvale/npr_vector_drawing.h>

#include <span>
#include <vector>

namespace linvale {

// Two page points this close (in pixels) are one point.
inline constexpr double kSamePointDistance = 0.005;

// The points of `points` that a straight line through their neighbours
// would miss by more than `tolerance`, first and last always kept; points
// repeated in a row are kept once.
std::vector<NprPagePoint> DropNearlyCollinear(std::span<const NprPagePoint> points, double tolerance);

// Appends to each path that allows it every path of the same stroke that
// starts or ends where it ends (turned round when needed), and likewise at
// its start, so a chain of lines becomes one path. Order of first
// appearance is kept.
void JoinTouchingPaths(std::vector<NprVectorPath>& paths);

// A path whose last point is its first becomes closed, without the repeated
// point; a path of fewer than three distinct points is never closed.
void CloseLoop(NprVectorPath& path);

}  // namespace linvale
