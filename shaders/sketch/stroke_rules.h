// The deterministic rules a stroke is built from: width and intensity
// cycles, how finely an edge is resampled, and which ends of a segment
// overshoot. Plain functions over plain data.
#pragma once

#include <tessel/ts_array.h>
#include <tessel/ts_point.h>

#include <optional>
#include <vector>

namespace linvale::sketch {

// 2 * window widths falling from the thickest (trunc of maxWidth) towards
// the thinnest and rising back. Expects window >= 1 and min <= max.
std::vector<int> BuildWidthCycle(int window, double minWidth, double maxWidth);

// 2 * window + 1 intensities rising from minInt towards maxInt and falling
// back; the first 2 * window are used. Expects window >= 1.
std::vector<double> BuildIntensityCycle(int window, double minInt, double maxInt);

// Into how many pieces a segment of `pixels` on-screen length is cut:
// factor * (whole hundreds of pixels), kept within 1..10. A segment whose
// length cannot be measured stays whole.
int ResamplePieceCount(std::optional<double> pixels, int factor);

// True for a joint of nearly exactly 90 degrees between two unit
// directions. A zero-length direction has no angle and is no corner.
bool IsRightAngle(const TS_3dVector& x, const TS_3dVector& y);

struct SegmentEnds {
  bool extendStart = false;
  bool extendEnd = false;
};

// Which ends of the segment from point `first` to point `first` + 1 get
// overshoot when only polyline ends and right-angle corners do ("Ends"):
// the open ends of the polyline, and joints where the neighbouring segment
// turns by a right angle (on a closed polyline the neighbours wrap round).
SegmentEnds EndsAtCorners(const TS_3dPointArray& points, int first, bool closed);

// Uniform from lo to hi inclusive, from the process-wide generator.
double RandomBetween(double lo, double hi);

}  // namespace linvale::sketch
