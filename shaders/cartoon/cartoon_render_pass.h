// One Cartoon render, from an empty bitmap to the finished picture.
#pragma once

#include "cartoon_settings.h"
#include "outline_drawing.h"

#include <linvale/npr_gl_bitmap_context.h>
#include <linvale/npr_render_progress.h>
#include <linvale/npr_render_settings.h>
#include <linvale/npr_shader_support.h>
#include <linvale/scene.h>
#include <tessel/ts_viewport.h>

namespace linvale::cartoon {

class CartoonRenderPass {
public:
  // `scene` and `progress` may be null.
  CartoonRenderPass(const CartoonSettings& cartoon, const TS_Viewport& viewport, const NprRenderSettings& settings,
                    Scene* scene, NprRenderer::Progress* progress);

  // The picture (also after a cancel, as far as it got), or null when no
  // context could be made. Throws nothing; the scene's edges are emptied
  // again whatever happens.
  HBITMAP Run(HANDLE* fileHandle, HANDLE* mappingHandle);

private:
  void Draw(NprGlBitmapContext& context, HANDLE* fileHandle, HANDLE* mappingHandle);

  void CreateContexts(NprGlBitmapContext& context, HANDLE* fileHandle, HANDLE* mappingHandle) const;
  void ComputeEdges();
  void SetUpGl(NprGlBitmapContext& context) const;
  void DrawBackgroundImage() const;
  void SetUpCamera() const;
  void DrawFaces(NprGlBitmapContext& context) const;
  void DrawAllOutlines() const;
  void DrawOutlinesOfKind(int kindIndex, OutlinePen& pen) const;

  double LineScale() const;

  const CartoonSettings& mCartoon;
  const TS_Viewport& mViewport;
  const NprRenderSettings& mSettings;
  Scene* mScene;
  NprRenderProgress mProgress;
};

}  // namespace linvale::cartoon
