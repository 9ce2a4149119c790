// One Sketch render, from the scene to the bitmap: edges, background,
// faces, strokes and paper, with progress reported and cancel polled
// between the phases. A pass object lives for one call of Run.
#pragma once

#include "sketch_settings.h"
#include "sketch_strings.h"

#include <linvale/npr_edge_kinds.h>
#include <linvale/npr_gl_bitmap_context.h>
#include <linvale/npr_render_progress.h>
#include <linvale/npr_render_settings.h>
#include <linvale/npr_renderer.h>
#include <linvale/scene.h>
#include <tessel/ts_viewport.h>

#include <array>
#include <string>

namespace linvale::sketch {

class SketchStroke;

class SketchRenderPass {
public:
  // `settings` must be within the page ranges. `scene` and `progress` may
  // be null; `imageFolder` holds the fill grain images.
  SketchRenderPass(const SketchSettings& settings, const TS_Viewport& viewport, const NprRenderSettings& render,
                   Scene* scene, NprRenderer::Progress* progress, std::string imageFolder);

  SketchRenderPass(const SketchRenderPass&) = delete;
  SketchRenderPass& operator=(const SketchRenderPass&) = delete;

  // The picture; after a cancel the part drawn so far; null on failure.
  // The scene's edge collections are empty again on every path.
  HBITMAP Run(HANDLE* fileHandle, HANDLE* mappingHandle);

private:
  void Draw(HANDLE* fileHandle, HANDLE* mappingHandle);
  void CreateContexts(HANDLE* fileHandle, HANDLE* mappingHandle);
  void ComputeEdges();
  void SetUpGl();
  void DrawBackgroundImage();
  void SetCamera();
  void DrawFaces();
  void DrawOccluders();
  void DrawMaterialFill();
  void DrawTexturedFill();
  void DrawEdges();
  void DrawEdgeKind(SketchStroke& stroke, NprEdgeKind kind);
  void DrawPaper();

  void Task(SketchString task) const;
  void ShowPicture();
  // Shows the picture after every `stride`-th node, else steps.
  void ReportNode(unsigned k, unsigned stride);

  const SketchSettings& mSettings;
  const TS_Viewport& mViewport;
  const NprRenderSettings& mRender;
  Scene* mScene;
  NprRenderProgress mProgress;
  std::string mImageFolder;
  std::array<double, 3> mBackground{};
  std::array<double, 16> mProjection{};
  NprGlBitmapContext mContext;
};

}  // namespace linvale::sketch
