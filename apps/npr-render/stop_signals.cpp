#include "stop_signals.h"

namespace npr_render {
namespace {

volatile std::sig_atomic_t gStopSignal = 0;

extern "C" void OnStopSignal(int signal) {
  if (gStopSignal == 0) {
    gStopSignal = signal;
  }
}

}  // namespace

StopSignals::StopSignals() : mPrevious{} {
  gStopSignal = 0;
  struct sigaction action {};
  action.sa_handler = OnStopSignal;
  sigemptyset(&action.sa_mask);
  // Writes of the picture carry on; the flag is looked at when they are done.
  action.sa_flags = SA_RESTART;
  for (std::size_t i = 0; i < std::size(kSignals); ++i) {
    sigaction(kSignals[i], &action, &mPrevious[i]);
  }
}

StopSignals::~StopSignals() {
  for (std::size_t i = 0; i < std::size(kSignals); ++i) {
    sigaction(kSignals[i], &mPrevious[i], nullptr);
  }
}

int StopSignalReceived() { return gStopSignal; }

std::string StopReason(int signal) {
  switch (signal) {
    case SIGTERM: return "terminated";
    case SIGHUP: return "hung up";
    default: return "interrupted";
  }
}

}  // namespace npr_render
