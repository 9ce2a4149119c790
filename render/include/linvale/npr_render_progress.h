// The caller's progress object as a shader's render pass talks to it. The
// preview renders without one, so every call is skipped when there is none;
// a cancel request becomes a stop of the render (NprShader::StopReason),
// which the pass catches before its Render returns.
#pragma once

#include <linvale/export.h>
#include <linvale/npr_renderer.h>

class LINVALE_API NprRenderProgress {
public:
  // `progress` may be null.
  explicit NprRenderProgress(NprRenderer::Progress* progress) : mProgress(progress) {}

  // The caller's object, for showing pictures (NprGlBitmapContext).
  NprRenderer::Progress* Get() const { return mProgress; }

  void SetStepCount(int steps) const;
  // `name` is one of the plug-in's own texts.
  void SetTaskName(const char* name) const;
  // One step done, without a picture.
  void Step() const;
  bool IsCanceled() const;
  // Throws NprShader::StopReason::Canceled when the caller wants to stop.
  void CheckCancel() const;
  void StepWithCancelCheck() const;

private:
  NprRenderer::Progress* mProgress;
};

// How many nodes a pass over the scene draws between two intermediate
// pictures: about ten pictures per pass, since showing one finishes all
// drawing. Never 0.
LINVALE_API unsigned NprPictureStride(unsigned nodes);
