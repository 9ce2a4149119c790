#include "occt_progress.h"

#include <utility>

namespace tessel::detail {
namespace {

// Often enough for a smooth bar, seldom enough not to slow OCCT's threads.
constexpr auto kReportPeriod = std::chrono::milliseconds(100);

}  // namespace

OcctProgress::OcctProgress(std::function<bool()> canceled, std::function<void(double)> report)
    : mCanceledCallback(std::move(canceled)),
      mReport(std::move(report)),
      mDeadline(Clock::time_point::max().time_since_epoch().count()) {}

void OcctProgress::SetDeadline(Clock::time_point deadline) {
  mTimedOut = false;
  mDeadline = deadline.time_since_epoch().count();
}

Standard_Boolean OcctProgress::UserBreak() {
  if (mCanceled || (mCanceledCallback && mCanceledCallback())) {
    mCanceled = true;
    return Standard_True;
  }
  if (Clock::now().time_since_epoch().count() >= mDeadline) {
    mTimedOut = true;
  }
  return mTimedOut ? Standard_True : Standard_False;
}

void OcctProgress::Finish() {
  if (mReport) {
    const std::lock_guard lock(mReportLock);
    mReport(1.0);
  }
}

void OcctProgress::Show(const Message_ProgressScope&, const Standard_Boolean force) {
  if (!mReport) {
    return;
  }
  const std::lock_guard lock(mReportLock);
  const Clock::time_point now = Clock::now();
  if (force || now - mLastReport >= kReportPeriod) {
    mLastReport = now;
    mReport(GetPosition());
  }
}

}  // namespace tessel::detail
