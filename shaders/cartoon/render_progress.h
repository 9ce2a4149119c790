// The progress object of one render as the Cartoon pass talks to it: every
// call is skipped when there is none (the preview renders without one), and
// a cancel request becomes a stop of the render.
#pragma once

#include "cartoon_strings.h"

#include <linvale/npr_renderer.h>
#include <linvale/npr_shader.h>

class RenderProgress {
public:
  explicit RenderProgress(NprRenderer::Progress* progress) : mProgress(progress) {}

  NprRenderer::Progress* Get() const { return mProgress; }

  void SetStepCount(int steps) const {
    if (mProgress != nullptr) {
      mProgress->SetStepCount(steps);
    }
  }
  void SetTaskName(CartoonString name) const {
    if (mProgress != nullptr) {
      mProgress->SetTaskName(LoadCartoonString(name));
    }
  }
  void Step() const {
    if (mProgress != nullptr) {
      mProgress->Step(1, nullptr);
    }
  }
  // Throws NprShader::StopReason::Canceled when the caller wants to stop.
  void CheckCancel() const {
    if (mProgress != nullptr && mProgress->IsCanceled()) {
      throw NprShader::StopReason::Canceled;
    }
  }
  void StepWithCancelCheck() const {
    Step();
    CheckCancel();
  }

private:
  NprRenderer::Progress* mProgress;
};
