// The order of the phases matters to the picture: faces fill the depth
// buffer first (pushed back a little by the polygon offset), so outlines
// drawn afterwards with a less-or-equal test show on visible edges only.
#include "cartoon_render_pass.h"

#include "cartoon_strings.h"
#include "face_shading.h"
#include "outline_drawing.h"
#include "render_steps.h"
#include "shading_ramp.h"

#include <linvale/npr_edge_collections_cleanup.h>

#include <GL/gl.h>

#include <algorithm>
#include <iterator>
#include <numbers>

namespace {

// The off-screen bitmap needs depth for hidden-line removal only.
constexpr unsigned char kAlphaBits = 0;
constexpr unsigned char kDepthBits = 32;
constexpr GLfloat kPolygonOffsetFactor = 1.5f;
constexpr GLfloat kPolygonOffsetUnits = 0.1f;
// Intermediate pictures during shading: about ten per render.
constexpr unsigned int kPicturesWhileShading = 10;

[[noreturn]] void StopAsFailed() { throw NprShader::StopReason::Failed; }

// The three outline kinds in drawing order, with what each draws.
struct OutlineKind {
  std::int32_t CartoonSettings::*enabled;
  std::int32_t CartoonSettings::*width;
  TS_Color CartoonSettings::*color;
  double CartoonSettings::*towardsMaterial;
  TS_ClassArray<TS_Line> Node::*lines;
  CartoonString taskName;
};

constexpr OutlineKind kOutlineKinds[] = {
    {&CartoonSettings::silEdges, &CartoonSettings::widthSil, &CartoonSettings::silColor,
     &CartoonSettings::varSilColor, &Node::m_silLines, CartoonString::RenderingSilhouettes},
    {&CartoonSettings::endEdges, &CartoonSettings::widthEnd, &CartoonSettings::endColor,
     &CartoonSettings::varEndColor, &Node::m_endLines, CartoonString::RenderingBorders},
    {&CartoonSettings::disEdges, &CartoonSettings::widthDis, &CartoonSettings::disColor,
     &CartoonSettings::varDisColor, &Node::m_disLines, CartoonString::RenderingCreases},
};

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

template <typename NodeAction>
void CartoonRenderPass::ForEachNode(NodeAction action) const {
  if (mScene == nullptr) {
    return;
  }
  for (Node* node = mScene->First(); node != nullptr; node = node->m_next) {
    action(*node);
  }
}

CartoonRenderPass::CartoonRenderPass(const CartoonSettings& cartoon, const TS_Viewport& viewport,
                                     const NprRenderSettings& settings, Scene* scene,
                                     NprRenderer::Progress* progress)
    : mCartoon(cartoon), mViewport(viewport), mSettings(settings), mScene(scene), mProgress(progress) {}

HBITMAP CartoonRenderPass::Run(HANDLE* fileHandle, HANDLE* mappingHandle) {
  try {
    NprGlBitmapContext context;
    if (DrawAndClearEdges(context, fileHandle, mappingHandle) == Outcome::Failed) {
      // The context deletes the blank bitmap: a failed render gives none.
      return nullptr;
    }
    return context.Finish();
  } catch (...) {
    // Out of memory or a throwing progress object: whatever was built has
    // been torn down on the way out.
    return nullptr;
  }
}

CartoonRenderPass::Outcome CartoonRenderPass::DrawAndClearEdges(NprGlBitmapContext& context, HANDLE* fileHandle,
                                                                HANDLE* mappingHandle) {
  const NprEdgeCollectionsCleanup cleanup(mScene);
  try {
    Draw(context, fileHandle, mappingHandle);
    return Outcome::Finished;
  } catch (NprShader::StopReason reason) {
    if (reason == NprShader::StopReason::Canceled) {
      return Outcome::Canceled;
    }
    NprShowLastErrorBox(LoadCartoonString(CartoonString::ErrorCaption));
    return Outcome::Failed;
  }
}

void CartoonRenderPass::Draw(NprGlBitmapContext& context, HANDLE* fileHandle, HANDLE* mappingHandle) {
  CreateContexts(context, fileHandle, mappingHandle);
  mProgress.SetStepCount(CartoonStepCount(NodeCount(), mCartoon, mSettings.GetAntialiasStyle()));
  ComputeEdges();
  SetUpGl(context);
  DrawBackgroundImage();
  SetUpCamera();
  DrawFaces(context);
  DrawAllOutlines();
  context.ShowPicture(mProgress.Get());
}

void CartoonRenderPass::CreateContexts(NprGlBitmapContext& context, HANDLE* fileHandle,
                                       HANDLE* mappingHandle) const {
  if (!context.CreateBitmapContext(mSettings.GetImageSize(), kAlphaBits, kDepthBits, fileHandle, mappingHandle) ||
      !context.CreateGlContext()) {
    StopAsFailed();
  }
}

void CartoonRenderPass::ComputeEdges() {
  if (!DrawsAnyEdges(mCartoon)) {
    return;
  }
  mProgress.SetTaskName(CartoonString::CalculatingEdges);
  const double creaseAngle = (180.0 - mCartoon.thresholdDegree) * std::numbers::pi / 180.0;
  ForEachNode([&](Node& node) {
    node.ComputeEdges(mViewport.CameraDirection(), mViewport.CameraLocation(), mViewport.Projection(), creaseAngle);
    mProgress.StepWithCancelCheck();
  });
}

void CartoonRenderPass::SetUpGl(NprGlBitmapContext& context) const {
  mProgress.SetTaskName(CartoonString::SettingUp);
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
  mProgress.SetTaskName(CartoonString::RenderingBackground);
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
  mProgress.SetTaskName(CartoonString::RenderingFaces);
  mProgress.Step();
  glEnable(GL_POLYGON_OFFSET_FILL);
  glPolygonOffset(kPolygonOffsetFactor, kPolygonOffsetUnits);
  const unsigned int showEvery = std::max(1u, NodeCount() / kPicturesWhileShading);
  mProgress.CheckCancel();
  const TS_ClassArray<TS_Light> noLights;
  const FaceShadingInputs inputs{mCartoon, RampColorFrom(mSettings.GetAmbientLightColor()),
                                 mViewport.CameraLocation(), mScene != nullptr ? mScene->Lights() : noLights};
  unsigned int shaded = 0;
  ForEachNode([&](Node& node) {
    ShadeNodeFaces(node, inputs);
    if (++shaded % showEvery != 0) {
      mProgress.Step();
      return;
    }
    mProgress.CheckCancel();
    context.ShowPicture(mProgress.Get());
  });
}

void CartoonRenderPass::DrawAllOutlines() const {
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glDepthFunc(GL_LEQUAL);
  for (int kind = 0; kind < static_cast<int>(std::size(kOutlineKinds)); ++kind) {
    DrawOutlinesOfKind(kind);
  }
}

void CartoonRenderPass::DrawOutlinesOfKind(int kindIndex) const {
  const OutlineKind& kind = kOutlineKinds[kindIndex];
  if (mCartoon.*kind.enabled == 0) {
    return;
  }
  glLineWidth(static_cast<GLfloat>(DrawableLineWidth(mCartoon.*kind.width) * LineScale()));
  mProgress.SetTaskName(kind.taskName);
  ForEachNode([&](Node& node) {
    DrawOutlines(node.*kind.lines,
                 BlendOutlineColor(mCartoon.*kind.color, node.m_material.Diffuse(), mCartoon.*kind.towardsMaterial));
    mProgress.StepWithCancelCheck();
  });
}

unsigned int CartoonRenderPass::NodeCount() const { return mScene != nullptr ? mScene->NodesCount() : 0; }

double CartoonRenderPass::LineScale() const {
  return mSettings.GetAntialiasStyle() == NprRenderSettings::AntialiasBest ? 2.0 : 1.0;
}
