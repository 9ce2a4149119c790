#include <linvale/npr_render_progress.h>
#include <linvale/npr_shader.h>

#include <algorithm>

namespace {

constexpr unsigned kPicturesPerPass = 10;

}  // namespace

void NprRenderProgress::SetStepCount(int steps) const {
  if (mProgress != nullptr) {
    mProgress->SetStepCount(steps);
  }
}

void NprRenderProgress::SetTaskName(const char* name) const {
  if (mProgress != nullptr) {
    mProgress->SetTaskName(name);
  }
}

void NprRenderProgress::Step() const {
  if (mProgress != nullptr) {
    mProgress->Step(1, nullptr);
  }
}

bool NprRenderProgress::IsCanceled() const { return mProgress != nullptr && mProgress->IsCanceled(); }

void NprRenderProgress::CheckCancel() const {
  if (IsCanceled()) {
    throw NprShader::StopReason::Canceled;
  }
}

void NprRenderProgress::StepWithCancelCheck() const {
  Step();
  CheckCancel();
}

unsigned NprPictureStride(unsigned nodes) { return std::max(1U, nodes / kPicturesPerPass); }
