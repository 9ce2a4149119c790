// OCCT's progress indicator over the reader's callbacks: it passes the
// fraction done on to the caller and stops OCCT's work when the caller
// cancels or a deadline passes. OCCT asks UserBreak from its worker threads,
// so the callbacks given must be safe to call from any thread.
#pragma once

#include <Message_ProgressIndicator.hxx>

#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>

namespace tessel::detail {

class OcctProgress : public Message_ProgressIndicator {
public:
  using Clock = std::chrono::steady_clock;

  OcctProgress(std::function<bool()> canceled, std::function<void(double)> report);

  // Work started from now on stops at `deadline` (Clock::time_point::max()
  // for none).
  void SetDeadline(Clock::time_point deadline);
  bool TimedOut() const { return mTimedOut; }
  bool Canceled() const { return mCanceled; }

  Standard_Boolean UserBreak() override;
  // Reports the whole work done, which OCCT's own reports may have
  // skipped as too soon after the one before.
  void Finish();

protected:
  void Show(const Message_ProgressScope& scope, const Standard_Boolean force) override;

private:
  std::function<bool()> mCanceledCallback;
  std::function<void(double)> mReport;
  std::atomic<Clock::rep> mDeadline;
  std::atomic<bool> mTimedOut = false;
  std::atomic<bool> mCanceled = false;
  std::mutex mReportLock;
  Clock::time_point mLastReport{};
};

}  // namespace tessel::detail
