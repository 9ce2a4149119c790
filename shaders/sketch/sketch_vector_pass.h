// The Sketch's vector form: its hand-drawn strokes as paths, made by the
// same stroke code and random sequence as the picture. Face fills and paper
// are textures and stay in the picture.
#pragma once

#include "sketch_settings.h"

#include <linvale/npr_render_settings.h>
#include <linvale/npr_vector_canvas.h>
#include <linvale/scene.h>
#include <tessel/ts_viewport.h>

namespace linvale::sketch {

// `settings` must be within the page ranges; `render` carries the drawn
// size. The scene's edge collections are empty again afterwards.
void DrawSketchVector(const SketchSettings& settings, const TS_Viewport& viewport, const NprRenderSettings& render,
                      Scene* scene, NprVectorCanvas& canvas);

}  // namespace linvale::sketch
