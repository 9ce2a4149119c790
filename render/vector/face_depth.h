// The depth of a scene's faces as the shaders draw them: same camera, same
// polygon offset, at the size the picture is drawn at.
#pragma once

#include <linvale/npr_vector_canvas.h>
#include <linvale/scene.h>
#include <tessel/ts_viewport.h>
#include <windows.h>

#include <optional>

namespace linvale {

// The view of `viewport` on a drawing of `drawn` pixels, `pageScale` page
// pixels to the drawn one, with the depth of every face of `scene` (which
// may be null). Nothing when no off-screen GL context could be made.
std::optional<NprVectorView> CaptureFaceDepth(const TS_Viewport& viewport, SIZE drawn, double pageScale,
                                              const Scene* scene);

}  // namespace linvale
