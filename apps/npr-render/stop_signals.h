// SIGINT, SIGTERM and SIGHUP ask npr-render to stop instead of ending it on
// the spot: the render is cancelled at its next poll and a picture being
// written is thrown away, so nothing half-done is left beside the target.
#pragma once

#include <csignal>
#include <iterator>
#include <string>

namespace npr_render {

class StopSignals {
public:
  // Catches the signals until destroyed; a signal that came before is
  // forgotten.
  StopSignals();
  // Puts back what was there before.
  ~StopSignals();
  StopSignals(const StopSignals&) = delete;
  StopSignals& operator=(const StopSignals&) = delete;

private:
  static constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};
  struct sigaction mPrevious[std::size(kSignals)];
};

// The signal that asked to stop, or 0.
int StopSignalReceived();

// "interrupted" and the like, for the message of a stopped run.
std::string StopReason(int signal);

}  // namespace npr_render
