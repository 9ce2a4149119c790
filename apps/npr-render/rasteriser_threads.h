// The software rasteriser (llvmpipe) bins one scene of drawing commands
// while its worker threads rasterise the one before, so two scenes are
// alive at once. Sketch strokes change the line width on nearly every
// segment, and each change makes its own draw, so those scenes run to tens
// of megabytes; the workers meanwhile wait for the program most of the time.
// Rasterising on the drawing thread keeps one scene and spares the hand-over.
// The rasteriser reads its thread count once, when its screen is made.
#pragma once

#include <optional>
#include <string>

namespace npr_render {

// The rasteriser's thread count to set, given the one the program started
// with (null for none); nothing when the user chose one.
std::optional<std::string> RasteriserThreadsToSet(const char* given);

// Sets it for this process before any OpenGL display is opened.
void RasteriseOnDrawingThread();

}  // namespace npr_render
