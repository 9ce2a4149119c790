// Multiplies the finished picture by a paper image stretched over it.
#pragma once

namespace linvale::sketch {

// False, drawing nothing, when the image cannot be read. Leaves blending
// off and the texture released.
bool DrawPaperOverlay(const char* paperFile);

}  // namespace linvale::sketch
