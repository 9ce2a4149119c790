// The order of the phases matters to the picture: faces fill the depth
// buffer first (pushed back a little by the polygon offset), so outlines
// drawn afterwards with a less-or-equal test show on visible edges only.
#include "cartoon_render_pass.h"

#include "cartoon_strings.h"
#include "face_shading.h"
#include "outline_drawing.h"
#include "outline_kinds.h"
#include "render_steps.h"
#include "shading_ramp.h"

#include <linvale/npr_edge_collections_cleanup.h>
#include <linvale/npr_node_edges.h>
#include <linvale/npr_render_pass.h>
#include <linvale/npr_scene_nodes.h>
#include <linvale/npr_shader.h>

#include <GL/gl.h>

#include <iterator>

namespace linvale::cartoon {

namespace {

// The off-screen bitmap needs depth for hidden-line removal only.
constexpr unsigned char kAlphaBits = 0;
constexpr unsigned char kDepthBits = 32;
constexpr GLfloat kPolygonOffsetFactor = 1.5f;
constexpr GLfloat kPolygonOffsetUnits = 0.1f;

[[noreturn]] void StopAsFailed() { throw NprShader::StopReason::Failed; }

void SetSmoothingHints(bool antialiased) {
  glHint(GL_LINE_SMOOTH_HINT, GL_NICEST);
  glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
  glHint(GL_POINT_SMOOTH_HINT, GL_NICEST);
  glHint(GL_POLYGON_SMOOTH_HINT, GL_NICEST);
  if (antialiased) {
    glEnable(GL_LINE_SMOOTH);
    glEnable(GL_POINT_SMOOTH);
  }
}

void ClearTo(COLORREF background, SIZE size) {
  const RampColor color = RampColorFrom(background);
  glClearColor(color.red, color.green, color.blue, 0.0f);
  glClearDepth(1.0);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glViewport(0, 0, size.cx, size.cy);
}

}  // namespace

CartoonRenderPass::CartoonRenderPass(const CartoonSettings& cartoon, const TS_Viewport& viewport,
                                     const NprRenderSettings& settings, Scene* scene, NprRenderer::Progress* progress)
    : mCartoon(cartoon), mViewport(viewport), mSettings(settings), mScene(scene), mProgress(progress) {}

HBITMAP CartoonRenderPass::Run(HANDLE* fileHandle, HANDLE* mappingHandle) {
  const NprEdgeCollectionsCleanup cleanup(mScene);
  NprGlBitmapContext context;
  return NprRunRenderPass(context, LoadCartoonString(CartoonString::ErrorCaption),
                          [&] { Draw(context, fileHandle, mappingHandle); });
}

void CartoonRenderPass::Draw(NprGlBitmapContext& context, HANDLE* fileHandle, HANDLE* mappingHandle) {
  CreateContexts(context, fileHandle, mappingHandle);
  mProgress.SetStepCount(CartoonStepCount(NprNodeCount(mScene), mCartoon, mSettings.GetAntialiasStyle()));
  ComputeEdges();
  SetUpGl(context);
  DrawBackgroundImage();
  SetUpCamera();
  DrawFaces(context);
  DrawAllOutlines();
  context.ShowPicture(mProgress.Get());
}

void CartoonRenderPass::CreateContexts(NprGlBitmapContext& context, HANDLE* fileHandle, HANDLE* mappingHandle) const {
  if (!context.CreateBitmapContext(mSettings.GetImageSize(), kAlphaBits, kDepthBits, fileHandle, mappingHandle) ||
      !context.CreateGlContext()) {
    StopAsFailed();
  }
}

// The cartoon draws the single lines of each node: no chaining.
void CartoonRenderPass::ComputeEdges() {
  if (!NprEdgeSwitchesOf(mCartoon).Any()) {
    return;
  }
  mProgress.SetTaskName(LoadCartoonString(CartoonString::CalculatingEdges));
  NprComputeSceneEdges(mScene, mViewport, mCartoon.thresholdDegree, mProgress);
}

void CartoonRenderPass::SetUpGl(NprGlBitmapContext& context) const {
  mProgress.SetTaskName(LoadCartoonString(CartoonString::SettingUp));
  if (!context.MakeCurrent()) {
    StopAsFailed();
  }
  SetSmoothingHints(mSettings.GetAntialiasStyle() != NprRenderSettings::AntialiasNone);
  ClearTo(mSettings.GetBackgroundColor(), mSettings.GetImageSize());
  mProgress.StepWithCancelCheck();
}

void CartoonRenderPass::DrawBackgroundImage() const {
  const char* fileName = mSettings.GetBackgroundFileName();
  if (fileName == nullptr || fileName[0] == '\0') {
    return;
  }
  mProgress.SetTaskName(LoadCartoonString(CartoonString::RenderingBackground));
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_TEXTURE_2D);
  if (!NprDrawBackgroundImage(fileName, mSettings.GetImageSize())) {
    // A missing wallpaper is worth telling but not worth losing the render.
    NprShowErrorBox(LoadCartoonString(CartoonString::BackgroundImageError),
                    LoadCartoonString(CartoonString::ErrorCaption));
  }
  mProgress.CheckCancel();
}

void CartoonRenderPass::SetUpCamera() const {
  glEnable(GL_DEPTH_TEST);
  NprSetCamera(mViewport);
}

void CartoonRenderPass::DrawFaces(NprGlBitmapContext& context) const {
  mProgress.SetTaskName(LoadCartoonString(CartoonString::RenderingFaces));
  mProgress.Step();
  glEnable(GL_POLYGON_OFFSET_FILL);
  glPolygonOffset(kPolygonOffsetFactor, kPolygonOffsetUnits);
  const unsigned int showEvery = NprPictureStride(NprNodeCount(mScene));
  mProgress.CheckCancel();
  const TS_ClassArray<TS_Light> noLights;
  const FaceShadingInputs inputs{mCartoon, RampColorFrom(mSettings.GetAmbientLightColor()), mViewport.CameraLocation(),
                                 mScene != nullptr ? mScene->Lights() : noLights};
  unsigned int shaded = 0;
  for (const Node& node : NprSceneNodes(mScene)) {
    ShadeNodeFaces(node, inputs);
    if (++shaded % showEvery != 0) {
      mProgress.Step();
      continue;
    }
    mProgress.CheckCancel();
    context.ShowPicture(mProgress.Get());
  }
}

void CartoonRenderPass::DrawAllOutlines() const {
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glDepthFunc(GL_LEQUAL);
  OutlinePen pen;
  for (int kind = 0; kind < static_cast<int>(std::size(kOutlineKinds)); ++kind) {
    DrawOutlinesOfKind(kind, pen);
  }
}

void CartoonRenderPass::DrawOutlinesOfKind(int kindIndex, OutlinePen& pen) const {
  const OutlineKind& kind = kOutlineKinds[kindIndex];
  if (!NprEdgeSwitchesOf(mCartoon).Draws(kind.kind)) {
    return;
  }
  glLineWidth(static_cast<GLfloat>(DrawableLineWidth(mCartoon.*kind.width) * LineScale()));
  mProgress.SetTaskName(LoadCartoonString(kind.taskName));
  const auto lines = NprMembersOf(kind.kind).lines;
  for (const Node& node : NprSceneNodes(mScene)) {
    pen.Draw(node.*lines,
             BlendOutlineColor(mCartoon.*kind.color, node.m_material.Diffuse(), mCartoon.*kind.towardsMaterial));
    mProgress.StepWithCancelCheck();
  }
}

double CartoonRenderPass::LineScale() const {
  return mSettings.GetAntialiasStyle() == NprRenderSettings::AntialiasBest ? 2.0 : 1.0;
}

}  // namespace linvale::cartoon
