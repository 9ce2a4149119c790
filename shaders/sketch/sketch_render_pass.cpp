#include "sketch_render_pass.h"

#include "edge_strokes.h"
#include "face_fill.h"
#include "gl_stroke_canvas.h"
#include "paper_overlay.h"
#include "render_steps.h"
#include "sketch_stroke.h"
#include "textured_fill.h"

#include <linvale/npr_edge_collections_cleanup.h>
#include <linvale/npr_node_edges.h>
#include <linvale/npr_render_pass.h>
#include <linvale/npr_scene_nodes.h>
#include <linvale/npr_shader.h>
#include <linvale/npr_shader_support.h>

#include <GL/gl.h>

namespace linvale::sketch {

namespace {

using StopReason = NprShader::StopReason;

std::array<double, 3> ColourFractions(COLORREF colour) {
  return {GetRValue(colour) / 255.0, GetGValue(colour) / 255.0, GetBValue(colour) / 255.0};
}

void SetNicestHints() {
  for (GLenum hint : {GL_FOG_HINT, GL_LINE_SMOOTH_HINT, GL_PERSPECTIVE_CORRECTION_HINT, GL_POINT_SMOOTH_HINT,
                      GL_POLYGON_SMOOTH_HINT}) {
    glHint(hint, GL_NICEST);
  }
}

void DisableFixedFunctionExtras() {
  for (GLenum capability : {GL_ALPHA_TEST, GL_BLEND, GL_DEPTH_TEST, GL_DITHER, GL_FOG, GL_LIGHTING, GL_COLOR_LOGIC_OP,
                            GL_STENCIL_TEST, GL_TEXTURE_1D, GL_TEXTURE_2D}) {
    glDisable(capability);
  }
}

// Pixels go to the picture exactly as given: no colour map, unit scales,
// zero biases.
void ResetPixelTransfer() {
  glPixelTransferi(GL_MAP_COLOR, GL_FALSE);
  for (GLenum scale : {GL_RED_SCALE, GL_GREEN_SCALE, GL_BLUE_SCALE, GL_ALPHA_SCALE, GL_DEPTH_SCALE}) {
    glPixelTransferf(scale, 1.0f);
  }
  for (GLenum bias : {GL_RED_BIAS, GL_GREEN_BIAS, GL_BLUE_BIAS, GL_ALPHA_BIAS, GL_DEPTH_BIAS}) {
    glPixelTransferf(bias, 0.0f);
  }
}

SketchString EdgeTaskName(NprEdgeKind kind) {
  switch (kind) {
    case NprEdgeKind::Silhouette: return SketchString::RenderingSilhouettes;
    case NprEdgeKind::Crease: return SketchString::RenderingCreases;
    case NprEdgeKind::Border: break;
  }
  return SketchString::RenderingBorders;
}

void DisableTextureGeneration() {
  for (GLenum coordinate : {GL_TEXTURE_GEN_S, GL_TEXTURE_GEN_T, GL_TEXTURE_GEN_R, GL_TEXTURE_GEN_Q}) {
    glDisable(coordinate);
  }
}

}  // namespace

SketchRenderPass::SketchRenderPass(const SketchSettings& settings, const TS_Viewport& viewport,
                                   const NprRenderSettings& render, Scene* scene, NprRenderer::Progress* progress,
                                   std::string imageFolder)
    : mSettings(settings),
      mViewport(viewport),
      mRender(render),
      mScene(scene),
      mProgress(progress),
      mImageFolder(std::move(imageFolder)),
      mBackground(ColourFractions(render.GetBackgroundColor())) {}

HBITMAP SketchRenderPass::Run(HANDLE* fileHandle, HANDLE* mappingHandle) {
  const NprEdgeCollectionsCleanup cleanup(mScene);
  return NprRunRenderPass(mContext, LoadSketchString(SketchString::ErrorCaption),
                          [&] { Draw(fileHandle, mappingHandle); });
}

void SketchRenderPass::Draw(HANDLE* fileHandle, HANDLE* mappingHandle) {
  CreateContexts(fileHandle, mappingHandle);
  const RenderStepInputs inputs{mRender.GetBackgroundStyle() != 0, mRender.GetAntialiasStyle() != 0,
                                NprNodeCount(mScene)};
  mProgress.SetStepCount(SketchStepCount(mSettings, inputs));
  ComputeEdges();
  Task(SketchString::SettingUp);
  mProgress.Step();
  if (!mContext.MakeCurrent()) {
    throw StopReason::Failed;
  }
  mProgress.CheckCancel();
  SetUpGl();
  DrawBackgroundImage();
  SetCamera();
  DrawFaces();
  DrawEdges();
  DrawPaper();
  glFinish();
}

void SketchRenderPass::CreateContexts(HANDLE* fileHandle, HANDLE* mappingHandle) {
  const SIZE size = mRender.GetImageSize();
  const unsigned char alphaBits = mSettings.textureFill != 0 ? 8 : 0;
  constexpr unsigned char kDepthBits = 32;
  // Not every pixel format offers alpha; the picture does without it.
  if (!mContext.CreateBitmapContext(size, alphaBits, kDepthBits, fileHandle, mappingHandle) &&
      !mContext.CreateBitmapContext(size, 0, kDepthBits, fileHandle, mappingHandle)) {
    throw StopReason::Failed;
  }
  if (!mContext.CreateGlContext()) {
    throw StopReason::Failed;
  }
}

// Strokes follow whole polylines, so the lines are chained; they are never
// split.
void SketchRenderPass::ComputeEdges() {
  const NprEdgeSwitches switches = NprEdgeSwitchesOf(mSettings);
  if (!switches.Any()) {
    return;
  }
  Task(SketchString::CalculatingEdges);
  NprComputeSceneEdges(mScene, mViewport, mSettings.thresholdDegree, mProgress, &switches);
  mProgress.Step();
}

void SketchRenderPass::SetUpGl() {
  SetNicestHints();
  glClearColor(static_cast<GLclampf>(mBackground[0]), static_cast<GLclampf>(mBackground[1]),
               static_cast<GLclampf>(mBackground[2]), 0.0f);
  glClearDepth(1.0);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  const SIZE size = mRender.GetImageSize();
  glViewport(0, 0, size.cx, size.cy);
  DisableFixedFunctionExtras();
  ResetPixelTransfer();
}

void SketchRenderPass::DrawBackgroundImage() {
  const char* fileName = mRender.GetBackgroundFileName();
  if (fileName == nullptr || fileName[0] == '\0') {
    return;
  }
  Task(SketchString::RenderingBackground);
  if (!NprDrawBackgroundImage(fileName, mRender.GetImageSize())) {
    NprShowErrorBox(LoadSketchString(SketchString::BackgroundImageError), LoadSketchString(SketchString::ErrorCaption));
  }
  mProgress.Step();
}

void SketchRenderPass::SetCamera() {
  mProjection = NprSetCamera(mViewport);
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_LESS);
  Task(SketchString::RenderingFaces);
  glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
  glDepthRange(0.0, 1.0);
  // Faces sit a little behind the edges drawn on them, so strokes on the
  // visible side win the depth test.
  glEnable(GL_POLYGON_OFFSET_FILL);
  glPolygonOffset(1.5f, 0.1f);
  glPushAttrib(GL_ALL_ATTRIB_BITS);
}

void SketchRenderPass::DrawFaces() {
  if (mSettings.textureFill == 0) {
    DrawOccluders();
  } else if (mSettings.textureMode == 0) {
    DrawMaterialFill();
  } else {
    DrawTexturedFill();
  }
  glPopAttrib();
  DisableTextureGeneration();
}

void SketchRenderPass::DrawOccluders() {
  mProgress.CheckCancel();
  for (const Node& node : NprSceneNodes(mScene)) {
    DrawOccludingFaces(node, mBackground);
    mProgress.StepWithCancelCheck();
  }
  ShowPicture();
}

void SketchRenderPass::DrawMaterialFill() {
  const unsigned stride = NprPictureStride(NprNodeCount(mScene));
  unsigned k = 0;
  for (const Node& node : NprSceneNodes(mScene)) {
    DrawMaterialFaces(node);
    ReportNode(++k, stride);
    mProgress.CheckCancel();
  }
  ShowPicture();
}

void SketchRenderPass::DrawTexturedFill() {
  if (mScene == nullptr) {
    return;
  }
  TexturedFillSetup setup;
  setup.grain = mSettings.textureMode == 1 ? FillGrain::Pencil : FillGrain::WaterColour;
  setup.imageFolder = mImageFolder;
  setup.projection = mProjection;
  setup.background = mBackground;
  setup.cameraLocation = mViewport.CameraLocation();
  const unsigned stride = NprPictureStride(NprNodeCount(mScene));
  TexturedFillHooks hooks;
  hooks.afterNode = [this, stride](unsigned k) {
    ReportNode(k, stride);
    mProgress.CheckCancel();
  };
  hooks.afterPass = [this] { ShowPicture(); };
  sketch::DrawTexturedFill(*mScene, setup, hooks);
}

void SketchRenderPass::DrawEdges() {
  GlStrokeCanvas canvas;
  SketchStroke stroke(mSettings, canvas);
  const NprRenderSettings::AntialiasStyle antialias = mRender.GetAntialiasStyle();
  if (antialias != NprRenderSettings::AntialiasNone) {
    glEnable(GL_LINE_SMOOTH);
    glEnable(GL_POINT_SMOOTH);
  }
  if (SetUpStrokeLook(stroke, mSettings, antialias, mBackground)) {
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  } else {
    glDisable(GL_BLEND);
  }
  SeedStrokes(mSettings);
  const NprEdgeSwitches switches = NprEdgeSwitchesOf(mSettings);
  for (NprEdgeKind kind : {NprEdgeKind::Silhouette, NprEdgeKind::Crease, NprEdgeKind::Border}) {
    if (switches.Draws(kind)) {
      DrawEdgeKind(stroke, kind);
    }
  }
}

void SketchRenderPass::DrawEdgeKind(SketchStroke& stroke, NprEdgeKind kind) {
  mProgress.CheckCancel();
  Task(EdgeTaskName(kind));
  const StrokeFrame frame = StrokeFrameFor(mSettings, kind, mViewport, mRender.GetImageSize().cx);
  const auto keepGoing = [this, kind] {
    if (!mProgress.IsCanceled()) {
      return true;
    }
    // Silhouettes stop at once; creases and borders finish the node list
    // quickly and the next phase's cancel check stops the render.
    if (kind == NprEdgeKind::Silhouette) {
      throw StopReason::Canceled;
    }
    return false;
  };
  for (const Node& node : NprSceneNodes(mScene)) {
    StrokeNodeEdges(stroke, node, kind, frame, keepGoing);
    mProgress.Step();
  }
  ShowPicture();
}

void SketchRenderPass::DrawPaper() {
  if (mSettings.b_paper == 0) {
    return;
  }
  mProgress.CheckCancel();
  Task(SketchString::RenderingPaper);
  mProgress.Step();
  // A paper image that cannot be read is skipped without a word: the
  // picture is complete without it.
  DrawPaperOverlay(mSettings.paper);
  glFlush();
  ShowPicture();
}

void SketchRenderPass::Task(SketchString task) const { mProgress.SetTaskName(LoadSketchString(task)); }

void SketchRenderPass::ShowPicture() { mContext.ShowPicture(mProgress.Get()); }

void SketchRenderPass::ReportNode(unsigned k, unsigned stride) {
  if (k % stride == 0) {
    ShowPicture();
  } else {
    mProgress.Step();
  }
}

}  // namespace linvale::sketch
